#include "Scene.h"

#include "ParameterModel.h"

#include <QStringList>
#include <QtMath>

namespace orvane::sim {

const QStringList& Scene::bodyTypes()
{
    static const QStringList types = {
        QStringLiteral("standard"), QStringLiteral("wavewand"), QStringLiteral("measurementtool"),
        QStringLiteral("measurementtool_reference"), QStringLiteral("fingertracking")};
    return types;
}

void Scene::rebuild(const ParameterModel& model)
{
    m_bodies.clear();
    for (const QString& type : bodyTypes()) {
        QVector<Body> list;
        const int count = model.value(QStringLiteral("body number_of_bodies ") + type).toInt();
        for (int b = 1; b <= count && b <= 999; ++b) {
            const QString suffix = type + QString::asprintf(" b%02d", b);
            if (model.value(QStringLiteral("body calibrated ") + suffix) != QLatin1String("yes"))
                continue;
            Body body;
            body.id = b;
            body.markers =
                qMax(1, model.value(QStringLiteral("body number_of_marker ") + suffix).toInt());
            list.append(body);
        }
        m_bodies.append(list);
    }
    m_cameras = model.value(QStringLiteral("camera number_of_cameras")).toInt();
    m_markers.resize(3);
    update(0.0, 0);
}

void Scene::update(double t, quint64 frame)
{
    m_frame = frame;
    int k = 0;
    for (QVector<Body>& list : m_bodies) {
        for (Body& b : list) {
            const double phase = 0.7 * k + 0.1 * b.id;
            const double a = 0.3 * t + phase;
            b.pos[0] = 800.0 * qCos(a) + 150.0 * k;
            b.pos[1] = 800.0 * qSin(a);
            b.pos[2] = 1200.0 + 200.0 * qSin(0.5 * t + phase);
            const double yaw = a + M_PI / 2;
            const double c = qCos(yaw), s = qSin(yaw);
            const double r[9] = {c, -s, 0, s, c, 0, 0, 0, 1};
            std::copy(r, r + 9, b.rot);
            // Every body is lost for a short while once in a while.
            b.visible = ((frame / 30 + quint64(b.id) * 7 + quint64(k) * 3) % 23) != 0;
            ++k;
        }
    }
    for (int m = 0; m < m_markers.size(); ++m) {
        m_markers[m].id = m + 1;
        m_markers[m].pos[0] = -500.0 + 500.0 * m + 50.0 * qSin(t + m);
        m_markers[m].pos[1] = 300.0 * qCos(0.2 * t + m);
        m_markers[m].pos[2] = 900.0 + 10.0 * m;
    }
}

const QVector<Scene::Body>& Scene::bodies(const QString& type) const
{
    static const QVector<Body> none;
    const int i = bodyTypes().indexOf(type);
    return i >= 0 && i < m_bodies.size() ? m_bodies.at(i) : none;
}

int Scene::visibleBodies() const
{
    int n = 0;
    for (const QVector<Body>& list : m_bodies)
        for (const Body& b : list)
            n += b.visible ? 1 : 0;
    return n;
}

int Scene::visibleMarkers() const
{
    int n = m_markers.size();
    for (const QVector<Body>& list : m_bodies)
        for (const Body& b : list)
            n += b.visible ? b.markers : 0;
    return n;
}

int Scene::raysOfCamera(int camera) const
{
    if (camera < 1 || camera > m_cameras)
        return 0;
    // Each camera sees most, not all, markers; which ones shifts over time.
    const int all = visibleMarkers();
    const int hidden = int((m_frame / 20 + quint64(camera) * 5) % 4);
    return qMax(0, all - hidden) + int((m_frame / 45 + quint64(camera)) % 2);
}

int Scene::usedRaysOfCamera(int camera) const
{
    const int rays = raysOfCamera(camera);
    return qMax(0, rays - int((m_frame / 15 + quint64(camera) * 3) % 3));
}

}  // namespace orvane::sim
