#ifndef CAMERAPOSE_H
#define CAMERAPOSE_H

#include <QString>

// A camera's room pose as the report shows it: position in mm and three
// angles in degrees taken from the rotation matrix.
struct CameraPose
{
    double position[3] = {0.0, 0.0, 0.0};
    double angles[3] = {0.0, 0.0, 0.0};
    bool usable = false;

    // From the answer of "tracking room cNN": twelve numbers (x y z, then the
    // rotation matrix row by row), or "none".  A number that does not parse
    // zeroes its whole group.  With powerwall coordinates y and z change
    // places and the new y changes its sign, for the position and the
    // matrix columns alike.
    static CameraPose fromRoomAnswer(const QString& answer, bool powerwall);
    // Angles a0 = atan2(R6, -R7), a1 = acos(R8), a2 = atan2(R2, R5) in
    // degrees, a0 and a2 in 0..360.
    static void anglesFromMatrix(const double r[9], double angles[3]);
};

#endif
