#pragma once

#include "ParameterModel.h"

#include <QJsonObject>
#include <QString>

namespace orvane::sim {

// Behaviour of the appliance that is not a protocol parameter.
struct ProfileSettings
{
    QString name;
    QString frontendPassword;  // empty: no password set
    QString accessHolder;      // a front-end elsewhere that holds access from the start
    double frequencyHz = 60.0;
    int bootTimeMs = 2000;
    int rebootTimeMs = 3000;
    int reinitTimeMs = 1500;
    int calTimeMs = 3000;
    int initTimeMs = 0;
};

struct Profile
{
    ProfileSettings settings;
    ParameterModel model;
    // Live parameters held at a value from the start, as the "set" control line pins them.
    QHash<QString, QString> pins;
    // Event messages waiting for "orvane2 getmsg" when the controller comes up.
    QStringList messages;
};

// Loads a built-in profile by name ("demo", "large", ...) or a JSON file by
// path. A profile may name a "base" profile whose content it extends.
bool loadProfile(const QString& nameOrPath, Profile* profile, QString* error);

QStringList builtInProfileNames();

// Expands "{i}", "{n}", "{i*3+1}", "{pick:a|b|c}" and friends of one repeat
// step; exposed for tests and for the profile generator.
QString expandTemplate(const QString& text, int i, int j, int count);

}  // namespace orvane::sim
