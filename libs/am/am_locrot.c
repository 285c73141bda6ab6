#include "am_locrot.h"

#include <math.h>

/* A rotation matrix computed in floating point can put trace or elements a few
 * ulps outside the domain of sqrt/acos/asin; clamping keeps those valid
 * matrices from yielding NaN. */
static double clamp(double v, double lo, double hi)
{
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return v;
}

void am_rot_equals_ang(double* rot, const double* ang)
{
    const double s0 = sin(ang[0]), c0 = cos(ang[0]);
    const double s1 = sin(ang[1]), c1 = cos(ang[1]);
    const double s2 = sin(ang[2]), c2 = cos(ang[2]);

    rot[0] = c1 * c2;
    rot[1] = c0 * s2 + s0 * s1 * c2;
    rot[2] = s0 * s2 - c0 * s1 * c2;
    rot[3] = -c1 * s2;
    rot[4] = c0 * c2 - s0 * s1 * s2;
    rot[5] = s0 * c2 + c0 * s1 * s2;
    rot[6] = s1;
    rot[7] = -s0 * c1;
    rot[8] = c0 * c1;
}

void am_ang_equals_rot(double* ang, const double* rot)
{
    ang[0] = -atan2(rot[7], rot[8]);
    ang[1] = asin(clamp(rot[6], -1.0, 1.0));
    ang[2] = -atan2(rot[3], rot[0]);
}

double am_rot_angle(const double* rot)
{
    const double under = clamp(1.0 + rot[0] + rot[4] + rot[8], 0.0, 4.0);
    return 2.0 * acos(clamp(sqrt(under) / 2.0, -1.0, 1.0));
}

void am_rot_orthonormalize(double* rot)
{
    for (int pass = 0; pass < 100; ++pass) {
        double lr[3], lc[3];
        for (int k = 0; k < 3; ++k) {
            lr[k] = sqrt(rot[k] * rot[k] + rot[k + 3] * rot[k + 3] + rot[k + 6] * rot[k + 6]);
            lc[k] = sqrt(rot[3 * k] * rot[3 * k] + rot[3 * k + 1] * rot[3 * k + 1] +
                         rot[3 * k + 2] * rot[3 * k + 2]);
        }
        double deviation = 0.0;
        for (int k = 0; k < 3; ++k) {
            /* A zero row or column cannot be rescaled; dividing would fill the
             * matrix with infinities. */
            if (!(lr[k] > 0.0) || !(lc[k] > 0.0))
                return;
            deviation = fmax(deviation, fabs(1.0 - lr[k]));
            deviation = fmax(deviation, fabs(1.0 - lc[k]));
        }
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                rot[i + 3 * j] /= sqrt(lr[i]) * sqrt(lc[j]);
        if (deviation <= 1e-6)
            break;
    }
}
