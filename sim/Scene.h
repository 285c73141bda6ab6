#pragma once

#include <QString>
#include <QVector>

namespace orvane::sim {

class ParameterModel;

// What the cameras currently see: calibrated bodies moving slowly through the
// room and a few loose markers. Drives both the live status values and the
// monitoring data lines, so the two agree with each other.
class Scene
{
public:
    struct Body
    {
        int id = 0;  // 1-based body number within its type
        int markers = 4;
        double pos[3] = {0, 0, 0};
        double rot[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        bool visible = true;
    };
    struct Marker
    {
        int id = 0;
        double pos[3] = {0, 0, 0};
    };

    // Reads the bodies of every type and the camera count from the model.
    void rebuild(const ParameterModel& model);

    // Advances the scene to `seconds` since measurement start; visibility
    // changes now and then so the counts are not constant.
    void update(double seconds, quint64 frame);

    const QVector<Body>& bodies(const QString& type) const;
    const QVector<Marker>& markers() const { return m_markers; }
    int cameraCount() const { return m_cameras; }
    int visibleBodies() const;
    int visibleMarkers() const;
    int raysOfCamera(int camera) const;
    int usedRaysOfCamera(int camera) const;

    static const QStringList& bodyTypes();

private:
    QVector<QVector<Body>> m_bodies;  // by index in bodyTypes()
    QVector<Marker> m_markers;
    int m_cameras = 0;
    quint64 m_frame = 0;
};

}  // namespace orvane::sim
