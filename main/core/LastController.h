#ifndef ORVANE_LASTCONTROLLER_H
#define ORVANE_LASTCONTROLLER_H

#include <QString>

// The controller used last, as the preferences keep it and the start-up window tests it:
// one record, so the parts of it always travel together.
struct LastController
{
    QString hostname;
    QString ip;  // dotted text, or the name to resolve when only that is known
    QString mac;
    QString model;

    bool operator==(const LastController& other) const
    {
        return hostname == other.hostname && ip == other.ip && mac == other.mac &&
               model == other.model;
    }
    bool operator!=(const LastController& other) const { return !(*this == other); }
};

#endif
