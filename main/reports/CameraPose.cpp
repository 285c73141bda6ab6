#include "CameraPose.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr double RadToDeg = 180.0 / 3.14159265358979323846;

// Parses count numbers from parts starting at first; all zero when one fails.
void parseGroup(const QStringList& parts, int first, int count, double* out)
{
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        out[i] = parts.at(first + i).toDouble(&ok);
        if (!ok || !std::isfinite(out[i])) {
            std::fill(out, out + count, 0.0);
            return;
        }
    }
}

}  // namespace

void CameraPose::anglesFromMatrix(const double r[9], double angles[3])
{
    angles[0] = std::atan2(r[6], -r[7]) * RadToDeg;
    // Rounding in the controller's matrix can push the cosine just past 1.
    angles[1] = std::acos(std::clamp(r[8], -1.0, 1.0)) * RadToDeg;
    angles[2] = std::atan2(r[2], r[5]) * RadToDeg;
    if (angles[0] < 0.0)
        angles[0] += 360.0;
    if (angles[2] < 0.0)
        angles[2] += 360.0;
}

CameraPose CameraPose::fromRoomAnswer(const QString& answer, bool powerwall)
{
    CameraPose pose;
    if (answer.isEmpty() || answer == QLatin1String("none"))
        return pose;
    const QStringList parts = answer.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 12)
        return pose;
    double r[9];
    parseGroup(parts, 0, 3, pose.position);
    parseGroup(parts, 3, 9, r);
    if (powerwall) {
        const double y = pose.position[1];
        pose.position[1] = -pose.position[2];
        pose.position[2] = y;
        for (int row = 0; row < 3; ++row) {
            const double c1 = r[row * 3 + 1];
            r[row * 3 + 1] = -r[row * 3 + 2];
            r[row * 3 + 2] = c1;
        }
    }
    anglesFromMatrix(r, pose.angles);
    pose.usable = true;
    return pose;
}
