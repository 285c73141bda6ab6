// Command-line options of the main window: which controller to reach and how.

#include "CommandLine.h"

#include <QRegularExpression>

namespace {

const QString kDirectStart = QStringLiteral("-directstart");
const QString kHost = QStringLiteral("-host");
const QString kMeasure = QStringLiteral("-measure");
const QString kWakeUp = QStringLiteral("-wakeup");

bool isHelpOption(const QString& word)
{
    static const QStringList helpOptions = {"-help", "-h", "-?", "/help", "/h", "/?"};
    return helpOptions.contains(word);
}

}  // namespace

bool CommandLine::isMacAddress(const QString& word)
{
    static const QRegularExpression withColons("\\A[0-9A-Fa-f]{2}(:[0-9A-Fa-f]{2}){5}\\z");
    static const QRegularExpression withHyphens("\\A[0-9A-Fa-f]{2}(-[0-9A-Fa-f]{2}){5}\\z");
    if (word.contains(':'))
        return withColons.match(word).hasMatch();
    return withHyphens.match(word).hasMatch();
}

bool CommandLine::parseCmdParameters(const QString& args)
{
    QStringList words = args.split(' ', Qt::KeepEmptyParts);
    sortCmdParameters(words);
    if (words.isEmpty())
        return false;

    auto lowerWord = [&words](int i) { return i < words.size() ? words[i].toLower() : QString(); };
    const QString first = lowerWord(0);

    if (first == kDirectStart) {
        m_bDirectStart = true;
        const QString second = lowerWord(1);
        if (second == kMeasure) {
            m_bStartMea = true;
        } else if (second == kWakeUp) {
            m_bWakeUp = true;
            if (lowerWord(2) == kMeasure)
                m_bStartMea = true;
        }
    } else if (first == kHost) {
        m_bHostname = true;
        if (words.size() > 1)
            m_sDirectStart_hostname = words[1];
        const QString third = lowerWord(2);
        if (third == kMeasure) {
            m_bStartMea = true;
        } else if (third == kWakeUp) {
            // Waking needs the controller's MAC address; without one the host
            // is reached as if -wakeup had not been given.
            m_bWakeUp = words.size() > 3 && isMacAddress(words[3]);
            if (m_bWakeUp) {
                m_sWakeUpMAC = words[3];
                if (lowerWord(4) == kMeasure)
                    m_bStartMea = true;
            }
        }
    } else if (isHelpOption(first)) {
        return true;
    }
    return false;
}

void CommandLine::sortCmdParameters(QStringList& words)
{
    const int n = words.size();
    if (n < 2 || n > 5)
        return;

    if (n == 2) {
        if ((words[0] == kMeasure || words[0] == kWakeUp) && words[1] == kDirectStart)
            words.swapItemsAt(0, 1);
    } else if (n == 3) {
        if (words[0] == kMeasure && words[1] == kHost) {
            words = QStringList{kHost, words[2], kMeasure};
        } else if (words.contains(kDirectStart) && words.contains(kWakeUp) &&
                   words.contains(kMeasure) && !(words[0] == kDirectStart && words[1] == kWakeUp)) {
            words = QStringList{kDirectStart, kWakeUp, kMeasure};
        }
    } else if (n == 4) {
        if (words[0] == kWakeUp && words[2] == kHost)
            words = QStringList{kHost, words[3], kWakeUp, words[1]};
    } else {
        const int host = words.indexOf(kHost);
        const int wakeUp = words.indexOf(kWakeUp);
        const int measure = words.indexOf(kMeasure);
        const bool allPresent = host >= 0 && wakeUp >= 0 && measure >= 0;
        const bool inOrder = host == 0 && wakeUp == 2 && measure == 4;
        if (allPresent && !inOrder && host + 1 < n && wakeUp + 1 < n)
            words = QStringList{kHost, words[host + 1], kWakeUp, words[wakeUp + 1], kMeasure};
    }
}
