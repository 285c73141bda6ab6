#ifndef ORVANE_TESTS_PREFERENCESPROBE_H
#define ORVANE_TESTS_PREFERENCESPROBE_H

#include "Preferences.h"

#include <QString>

// The preferences as a starting main window holds them: read once on
// construction, with the command line's host name defaulting to the stored
// one (the argument, the window's command line, is not parsed).
class PreferencesProbe : public Preferences
{
public:
    explicit PreferencesProbe(const QString& = QString())
    {
        loadXMLSettings();
        m_sDirectStart_hostname = lastController.hostname;
    }

    QString m_sDirectStart_hostname;
};

#endif
