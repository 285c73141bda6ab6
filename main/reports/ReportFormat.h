#ifndef REPORTFORMAT_H
#define REPORTFORMAT_H

// Formatting shared by the hardware, tracking and device sections of the
// configuration report: cut columns, rules, number texts, radio device ids.

#include <QString>
#include <QStringList>

#include "ReportWriter.h"

namespace reportformat {

QByteArray utf8(const QString& text);
// A count, or "Error <code>".
QString countText(const ReportValue<int>& count);
// Left-justified to width and cut to it.
QString cut(const QString& text, int width);
QString rule(int length);
// A number in the shortest general notation ("60", "0.5", "1e-05").
QString general(double value);
QString errorText(int rc);
// "c" and the two-digit camera number.
QString cameraName(int n);
// The camera name padded for the first column of the camera tables, with
// the column's "|".
QString cameraCell(int n);
// Compact-system cameras (type codes 0x0b.., 0x0d..) carry their serial in a
// description instead of the second word of "camera camera".
bool isCompactCameraType(const QString& type);
// "yes"/"no" of a yes/no query, or "Error <code>".
QString yesNoText(const ReportValue<bool>& answer);
// A value followed by " / " and its maximum, or the first failure's error.
QString pairText(const ReportText& value, const ReportText& maximum);
// The calibration status of a body that carries an inertial sensor: the
// sensor's hand-eye calibration makes it "Full", otherwise only "Optical".
// Joined with ", " after the optical status, so the optical part reads the
// same with and without a sensor.
QString withInertialState(const QString& status, bool handEye);

// A table's title with its rule, the column header and the header's rule.
void tableHead(ReportWriter& out, const QString& title, int titleRule, const QString& header,
               const QString& headerRule);

// A radio or inertial device as the controller names it: vendor, model and
// serial words, passed on to the next queries as "%s %s %s".
struct DeviceId
{
    QByteArray vendor;
    QByteArray model;
    QByteArray serial;

    // False unless the text has exactly three words.
    bool parse(const QString& text);
    QByteArray vendorModel() const { return vendor + ' ' + model; }
    QByteArray all() const { return vendor + ' ' + model + ' ' + serial; }
};

// "description (id)" as the device blocks show vendor and model.
QString describedId(const ReportText& description, const QByteArray& id);

}  // namespace reportformat

#endif
