// Rotation matrices and Euler angles.

#include <QtTest>

#include <cmath>

#include "am_locrot.h"

namespace {

using Mat = std::array<double, 9>;

Mat fromAngles(double a0, double a1, double a2)
{
    Mat r{};
    const double ang[3] = {a0, a1, a2};
    am_rot_equals_ang(r.data(), ang);
    return r;
}

// Rotation by angle about the unit vector (x, y, z), column by column.
Mat aboutAxis(double x, double y, double z, double angle)
{
    const double n = std::sqrt(x * x + y * y + z * z);
    x /= n;
    y /= n;
    z /= n;
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    return {t * x * x + c,     t * x * y + s * z, t * x * z - s * y,
            t * x * y - s * z, t * y * y + c,     t * y * z + s * x,
            t * x * z + s * y, t * y * z - s * x, t * z * z + c};
}

double maxDiff(const Mat& a, const Mat& b)
{
    double d = 0;
    for (int i = 0; i < 9; ++i)
        d = std::max(d, std::fabs(a[i] - b[i]));
    return d;
}

const Mat kIdentity{1, 0, 0, 0, 1, 0, 0, 0, 1};

}  // namespace

class TestAmLocrot : public QObject
{
    Q_OBJECT

private slots:
    void identity()
    {
        QCOMPARE(maxDiff(fromAngles(0, 0, 0), kIdentity), 0.0);
        double ang[3] = {9, 9, 9};
        am_ang_equals_rot(ang, kIdentity.data());
        QCOMPARE(ang[0], 0.0);
        QCOMPARE(ang[1], 0.0);
        QCOMPARE(ang[2], 0.0);
        QCOMPARE(am_rot_angle(kIdentity.data()), 0.0);
    }

    void quarterTurnAboutZ()
    {
        const Mat r = fromAngles(0, 0, M_PI / 2);
        QVERIFY(std::fabs(r[1] - 1) < 1e-15);
        QVERIFY(std::fabs(r[3] + 1) < 1e-15);
        QVERIFY(std::fabs(r[8] - 1) < 1e-15);
        double ang[3];
        am_ang_equals_rot(ang, r.data());
        QVERIFY(std::fabs(ang[0]) < 1e-15);
        QVERIFY(std::fabs(ang[1]) < 1e-15);
        QVERIFY(std::fabs(ang[2] - M_PI / 2) < 1e-15);
    }

    void matrixIsXThenYThenZProduct()
    {
        // Rx(a) * Ry(b) * Rz(c) built from single-axis rotations.
        const double a = 0.4, b = -0.7, c = 1.9;
        const Mat rx = aboutAxis(1, 0, 0, a), ry = aboutAxis(0, 1, 0, b),
                  rz = aboutAxis(0, 0, 1, c);
        auto mul = [](const Mat& p, const Mat& q) {
            Mat out{};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    for (int k = 0; k < 3; ++k)
                        out[i + 3 * j] += p[i + 3 * k] * q[k + 3 * j];
            return out;
        };
        QVERIFY(maxDiff(fromAngles(a, b, c), mul(mul(rx, ry), rz)) < 1e-14);
    }

    void anglesRoundTrip_data()
    {
        QTest::addColumn<double>("a0");
        QTest::addColumn<double>("a1");
        QTest::addColumn<double>("a2");
        QTest::newRow("small") << 0.1 << 0.2 << 0.3;
        QTest::newRow("negative") << -2.5 << -1.2 << -0.4;
        QTest::newRow("near pi") << 3.1 << 1.5 << -3.1;
    }
    void anglesRoundTrip()
    {
        QFETCH(double, a0);
        QFETCH(double, a1);
        QFETCH(double, a2);
        const Mat r = fromAngles(a0, a1, a2);
        double ang[3];
        am_ang_equals_rot(ang, r.data());
        QVERIFY(std::fabs(ang[0] - a0) < 1e-12);
        QVERIFY(std::fabs(ang[1] - a1) < 1e-12);
        QVERIFY(std::fabs(ang[2] - a2) < 1e-12);
    }

    void rotationAngleAboutAnyAxis()
    {
        for (const auto& axis :
             {std::array<double, 3>{1, 0, 0}, {0, 1, 0}, {1, 2, -3}, {-0.3, 0.1, 5}}) {
            const Mat r = aboutAxis(axis[0], axis[1], axis[2], 0.3);
            QVERIFY(std::fabs(am_rot_angle(r.data()) - 0.3) < 1e-7);
        }
        QVERIFY(std::fabs(am_rot_angle(aboutAxis(0, 0, 1, 2.0).data()) - 2.0) < 1e-7);
    }

    void roundingBeyondTheDomainGivesNoNaN()
    {
        // Trace a hair above 3: still the identity.
        Mat r = kIdentity;
        r[0] = r[4] = r[8] = std::nextafter(1.0, 2.0);
        QCOMPARE(am_rot_angle(r.data()), 0.0);

        // A half turn about x has trace -1; rounding can push it below.
        Mat half{1, 0, 0, 0, -1, 0, 0, 0, -1};
        half[4] = half[8] = std::nextafter(-1.0, -2.0);
        QCOMPARE(am_rot_angle(half.data()), M_PI);

        // rot[6] is the sine of the middle angle; just past 1 it is still +-90 degrees.
        Mat tilt = fromAngles(0, M_PI / 2, 0);
        tilt[6] = std::nextafter(1.0, 2.0);
        double ang[3];
        am_ang_equals_rot(ang, tilt.data());
        QCOMPARE(ang[1], M_PI / 2);
        tilt[6] = std::nextafter(-1.0, -2.0);
        am_ang_equals_rot(ang, tilt.data());
        QCOMPARE(ang[1], -M_PI / 2);
    }

    void orthonormalizeRescales()
    {
        Mat r = kIdentity;
        for (double& v : r)
            v *= 1.001;
        am_rot_orthonormalize(r.data());
        QVERIFY(maxDiff(r, kIdentity) < 1e-6);

        // Exactly orthonormal: one pass, nothing changes.
        Mat perm{0, 1, 0, 0, 0, -1, -1, 0, 0};
        const Mat before = perm;
        am_rot_orthonormalize(perm.data());
        QCOMPARE(maxDiff(perm, before), 0.0);

        Mat rot = fromAngles(0.3, -0.2, 1.1);
        const Mat exact = rot;
        am_rot_orthonormalize(rot.data());
        QVERIFY(maxDiff(rot, exact) < 1e-15);

        // Rows and columns of unequal length are pulled towards 1.
        Mat skewed = fromAngles(0.5, 0.1, -0.8);
        for (int j = 0; j < 3; ++j)
            skewed[0 + 3 * j] *= 1.01;
        am_rot_orthonormalize(skewed.data());
        for (int i = 0; i < 3; ++i) {
            const double len = std::sqrt(skewed[i] * skewed[i] + skewed[i + 3] * skewed[i + 3] +
                                         skewed[i + 6] * skewed[i + 6]);
            QVERIFY(std::fabs(len - 1) < 1e-5);
        }
    }

    void orthonormalizeLeavesADegenerateMatrixAlone()
    {
        Mat zero{};
        am_rot_orthonormalize(zero.data());
        QCOMPARE(maxDiff(zero, Mat{}), 0.0);
        Mat flat{1, 0, 0, 0, 1, 0, 0, 0, 0};
        am_rot_orthonormalize(flat.data());
        for (double v : flat)
            QVERIFY(std::isfinite(v));
    }
};

QTEST_GUILESS_MAIN(TestAmLocrot)
#include "tst_am_locrot.moc"
