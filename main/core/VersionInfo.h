#ifndef VERSIONINFO_H
#define VERSIONINFO_H

#include <QList>
#include <QString>

#include "ProtocolFeature.h"

// One version number major.minor.patch as the controller reports it.  A part
// that is not known is -1 and orders below every given value, so 2 < 2.0.
class VersionInfo
{
public:
    VersionInfo() = default;
    VersionInfo(int ma, int mi, int pa);

    void setVer(int ma, int mi, int pa);

    // --- Reading version texts. The controller's answers and the front-end's
    // own folders are read by slightly different rules; each rule is one of
    // these, named after what it does, and no other code parses versions.

    // Lenient parse of controller texts such as "v1.12.3", "1.12.3beta" or
    // "1.12.3-rc1": one leading "v" dropped, cut before the first letter or
    // hyphen, a missing part is -1.  When ok is given it reports whether the
    // last number read converted, and a failed conversion stops the parse there.
    static VersionInfo fromString(const QString& text, bool* ok = nullptr);
    // The same for the first blank-separated word of an answer value
    // ("v1.12 build 7").
    static VersionInfo fromFirstWord(const QString& text, bool* ok = nullptr);
    // Letters read as blanks: lower-cased, every letter a to z replaced by a
    // blank, trimmed, the first word split at dots.  A part that is missing or
    // not a decimal number is 0; allThree reports whether major, minor and
    // patch were all numbers ("v3.3.2 build 7" yes, "v3.3.2-rc1" no).
    static VersionInfo fromLettersAsBlanks(const QString& text, bool* allThree = nullptr);
    // The data-path rule: letters from the second character on end the number,
    // a leading letter is dropped, the text ends at a blank; a part that is
    // missing or not a number is 0 ("V0.2.8b3" is 0.2.8).
    static VersionInfo fromDataPathText(const QString& text);
    // The numbers of a version folder name ("v3.3.1" -> 3, 3, 1, any count);
    // empty when a part is not a number.
    static QList<int> folderNumbers(QString name);

    int getMajor() const { return ma; }
    int getMinor() const { return mi; }
    int getPatch() const { return pa; }

    // Feature thresholds count major and minor only: any patch, known or not,
    // meets a threshold whose major and minor are met.
    bool reaches(int major, int minor) const { return ma > major || (ma == major && mi >= minor); }
    // Whether a controller of this protocol version has the feature.
    bool supports(ProtocolFeature feature) const
    {
        const ProtocolFeatureSince& since = protocolFeatureSince(feature);
        return reaches(since.major, since.minor);
    }

    // "1.12.3"; parts that are not given are left out ("2", "1.12").
    QString toString() const;

    friend bool operator==(const VersionInfo& a, const VersionInfo& b);
    friend bool operator!=(const VersionInfo& a, const VersionInfo& b);
    friend bool operator<(const VersionInfo& a, const VersionInfo& b);
    friend bool operator<=(const VersionInfo& a, const VersionInfo& b);
    friend bool operator>(const VersionInfo& a, const VersionInfo& b);
    friend bool operator>=(const VersionInfo& a, const VersionInfo& b);

private:
    int ma = -1;
    int mi = -1;
    int pa = -1;
};

#endif
