#ifndef AM_LOCROT_H
#define AM_LOCROT_H

/* Rotation matrices (9 doubles, column by column: rot[i + 3*j] is row i, column j)
 * and Euler angle triples (radians about x, y, z). */

#ifdef __cplusplus
extern "C" {
#endif

void am_rot_equals_ang(double* rot, const double* ang);
void am_ang_equals_rot(double* ang, const double* rot);
double am_rot_angle(const double* rot);
void am_rot_orthonormalize(double* rot);

#ifdef __cplusplus
}
#endif

#endif
