// The installation profiles: every parameter the front-end's reports, status
// bars and connection code read must have an answer, following the chains of
// answers (camera type -> model description, device -> its details) the way
// the readers do.

#include "CommandEngine.h"
#include "Profile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace orvane::sim;

namespace {

class Walker
{
public:
    explicit Walker(CommandEngine* e) : m_engine(e) {}

    QString get(const QString& key)
    {
        const QString v = m_engine->currentValue(normalizeKeyText(key), QHostAddress::LocalHost);
        if (v.isNull())
            m_missing << key;
        return v;
    }
    int count(const QString& key) { return get(key).toInt(); }
    QStringList words(const QString& key) { return get(key).split(' ', Qt::SkipEmptyParts); }
    QStringList missing() const { return m_missing; }

    static QString n2(int i) { return QString::asprintf("%02d", i); }

    void walkAll()
    {
        // Plain parameters, one per "; ".
        static const char* const scalars = R"(
system version; system protocol_version; system controller_version; system model;
system controller_serial; system hostname; system full_name; system ethernet_mac;
system ethernet_ip; system access; system accessed_by; system net; system slave;
system version_copyright; system update_date; system domainname; system nameserver;
system date; system time; system ntp_server; system ntp_status; system ptp;
system ptp_status; system temperature_cpu; system can_slave; system slave_port;
system extra motherboard;
status active; status number_of_bodies; status number_of_marker;
status output_frequency; status frames_lost; status err;
tracking available; tracking pulse; tracking reference; tracking extra_translation;
tracking extra_rotation; tracking extra_scaling; tracking axis_5dof_central;
tracking body_max_residual; tracking body_prediction_error;
tracking body_separation_tolerance; tracking marker_max_residual;
tracking marker_prediction_error;
config desc; config owner; config has_password; config is_changeable;
config free_space; config is_frontend_password none;
qorwpan available; qorwpan radio;
inertial available; inertial frequency;
synccard available; synccard has_input_frequency; synccard input_frequency;
synccard output_frequency; synccard active_mode; synccard source d01;
synccard internal_frequency d01; synccard external_divisor d01;
synccard max_output_delay d01;
output net_sender_port chmon; output net chmon; output net_via_router;
roomcal has_type wand; roomcal has_type wand_no_angle; roomcal wand_length;
roomcal coordinate_type; roomcal marker_min_quality; roomcal angle; roomcal type;
roomcal duration; roomcal last_date; roomcal last_coordinate_type;
roomcal last_wand_residual;
standard number_of_bodies; standard max_number_of_bodies; standard calculate_marker;
standard filter_bodies;
filter6d available standard; filter6d available wavewand;
filter6d available measurementtool; filter6d limit strength_min;
filter6d limit strength_max; filter6d limit prediction_min;
filter6d limit prediction_max;
measurementtool available; measurementtool output_6dmt;
measurementtool max_number_of_tools; measurementtool max_number_of_references;
measurementtool number_of_references;
wavewand max_number_of_devices; wavewand filter; wavewand output_6df;
wavewand multiuser_available; wavewand multiuser;
wavewand multiuser_with_head_available; wavewand multiuser_with_head;
fingertracking max_number_of_hands; fingertracking number_of_hands;
fingertracking tactile_available; fingertracking tactile_enabled;
cascade available; cascade wol_slaves; cascade scan_slaves_lan;
camera scan_duration;
)";
        for (const QString& k : QString::fromLatin1(scalars).split(QLatin1Char(';')))
            if (!k.simplified().isEmpty())
                get(k.simplified());
        walkSystem();
        walkCameras();
        walkSync();
        walkBodies();
        walkOutputs();
        walkRadio();
        walkInertial();
        walkFingers();
        walkLists();
    }

private:
    void walkSystem()
    {
        for (int t = 1, n = count("system number_of_single_versions"); t <= n; ++t)
            get("system single_version t" + n2(t));
        for (int h = 1, n = count("system extra number_of_hardware"); h <= n; ++h)
            get(QStringLiteral("system extra hardware h%1").arg(h));
        for (int s = 1, n = count("cascade number_of_connected_slaves"); s <= n; ++s) {
            const QString id = get("cascade connected_slave d" + n2(s));
            for (const char* k :
                 {"cascade connected_slave_available", "cascade connected_slave_controller",
                  "system version_slave", "system domainname_slave", "system net_slave",
                  "system hostname_slave"})
                get(QLatin1String(k) + ' ' + id);
        }
    }

    void walkCameras()
    {
        const int cams = count("camera number_of_cameras");
        QVERIFY(cams > 0);
        for (int c = 1; c <= cams; ++c) {
            const QString cn = " c" + n2(c);
            get("status number_of_rays" + cn);
            get("status number_of_used_rays" + cn);
            const QStringList cam = words("camera camera" + cn);
            QCOMPARE(cam.size(), 2);
            get("camera model_desc " + cam.value(0));
            if (cam.value(0).startsWith("0x0b") || cam.value(0).startsWith("0x0d"))
                get("camera serial_desc " + cam.value(0));
            static const char* const cameraKeys = R"(
version focal_length is_flash_low_power flash_intensity max_flash_intensity
has_modulated_flash modulated_flash max_sync_frequency
has_temperature_measurement has_automatic_warming automatic_warming
has_marker_mode_accurate has_marker_mode_fast marker_mode marker_max_number
marker_min_size marker_max_size sensor_pixel_horizontal sensor_pixel_vertical
has_dynamic_reflex_skip dynamic_reflex_skip has_static_reflex_skip
static_reflex_skip display_upside_down has_sync_group has_display_intensity
display_setting has_display_ring_intensity cascade_slave has_marker_threshold
has_sensor_exposure has_sensor_gain
)";
            for (const QString& k : QString::fromLatin1(cameraKeys).simplified().split(' '))
                get("camera " + k + cn);
            for (int a = 1, n = count("camera number_of_areas" + cn); a <= n; ++a)
                QCOMPARE(words("camera area" + cn + " t" + n2(a)).size(), 4);
            get("camera mode_desc" + cn + ' ' + get("camera mode" + cn));
            get("camera display_setting_desc " + get("camera display_setting" + cn));
            const QString slave = get("camera cascade_slave" + cn);
            if (!slave.isNull() && slave != "none")
                get("system hostname_slave " + slave);
            if (get("camera has_sync_group" + cn) == "yes")
                get("camera sync_group" + cn);
            if (get("camera has_display_intensity" + cn) == "yes")
                get("camera display_intensity" + cn);
            if (get("camera has_display_ring_intensity" + cn) == "yes")
                get("camera display_ring_intensity" + cn);
            if (get("camera has_marker_threshold" + cn) == "yes")
                get("camera marker_threshold" + cn);
            if (get("camera has_sensor_exposure" + cn) == "yes") {
                get("camera sensor_exposure" + cn);
                get("camera max_sensor_exposure" + cn);
            }
            if (get("camera has_sensor_gain" + cn) == "yes") {
                get("camera sensor_gain" + cn);
                get("camera min_max_sensor_gain" + cn);
            }
            // A camera added after the room calibration has no pose yet.
            if (get("tracking has_room" + cn) == "no")
                QCOMPARE(get("tracking room" + cn), QStringLiteral("none"));
            else
                QCOMPARE(words("tracking room" + cn).size(), 12);
            QCOMPARE(words("roomcal reference" + cn).size(), 12);
            for (const char* k :
                 {"tracking has_room", "roomcal fixed_camera", "roomcal has_reference"})
                get(QLatin1String(k) + cn);
        }
        for (int c = 1, n = count("roomcal last_cam_number"); c <= n; ++c) {
            get("camera model_desc " + words("roomcal last_cam_ident c" + n2(c)).value(0));
            QCOMPARE(words("roomcal last_cam_residual c" + n2(c)).size(), 2);
        }
        for (int c = 1, n = count("tracking number_of_missing_cameras"); c <= n; ++c)
            get("tracking missing_camera c" + n2(c));
    }

    void walkSync()
    {
        for (int d = 1, n = count("synccard number_of_synccards"); d <= n; ++d)
            get("synccard model_desc " + words("synccard synccard d" + n2(d)).value(0));
        for (int m = 1, n = count("synccard number_of_modes"); m <= n; ++m)
            get("synccard mode_desc " + get("synccard mode t" + n2(m)));
        for (const char* s : {"internal", "video", "ttl", "ttlinv", "ttlboth"}) {
            get(QStringLiteral("synccard has_source d01 ") + QLatin1String(s));
            if (QByteArray(s) != "internal")
                get(QStringLiteral("synccard max_external_divisor d01 ") + QLatin1String(s));
        }
        for (int ch = 1, n = count("synccard number_of_channels d01"); ch <= n; ++ch) {
            get("synccard output_delay d01 ch" + n2(ch));
            get("synccard output_during_idle d01 ch" + n2(ch));
        }
    }

    void walkBodies()
    {
        QStringList types;
        for (int t = 1, n = count("body number_of_types"); t <= n; ++t) {
            types << get("body type t" + n2(t));
            get("body type_desc " + types.last());
        }
        QCOMPARE(types.size(), 5);
        for (const QString& type : qAsConst(types)) {
            for (int b = 1, n = count("body number_of_bodies " + type); b <= n; ++b) {
                const QString key = type + " b" + n2(b);
                for (const char* k : {"active", "desc", "calibrated", "targetlib_name",
                                      "target_type", "min_number_of_stereo_markers"})
                    get(QStringLiteral("body ") + QLatin1String(k) + ' ' + key);
                for (int m = 1, nm = count("body number_of_marker " + key); m <= nm; ++m)
                    QCOMPARE(words("body marker " + key + " m" + n2(m)).size(), 3);
                if (type == "standard" || type == "wavewand") {
                    get("body filter6d_enabled " + key);
                    get("body filter6d_strength " + key);
                    get("filter6d preset_desc " + get("body filter6d_preset " + key));
                    get("filter6d mode_desc " + get("body filter6d_mode " + key));
                    get("body filter6d_prediction " + key);
                }
                if (type == "standard") {
                    get("standard fixed_angle b" + n2(b));
                    const QString sensor = get("body inertial_sensor " + key);
                    if (!sensor.isNull() && sensor != "none") {
                        const QStringList w = sensor.split(' ');
                        get("inertial sensor_model_desc " + w.mid(0, 2).join(' '));
                        get("inertial sensor_handeye " + sensor);
                    }
                }
                if (type == "wavewand") {
                    // Vendor, model and serial of a radio device, or a wired port.
                    const QStringList dev = words("wavewand device b" + n2(b));
                    if (dev.size() == 3)
                        get("qorwpan device_model_desc " + dev.mid(0, 2).join(' '));
                    else
                        QVERIFY(dev.size() == 1 && dev.at(0).startsWith("wavewand"));
                    if (get("wavewand has_target_parameter b" + n2(b)) == "yes")
                        for (const char* k :
                             {"target_sync_groups", "target_max_sync_groups",
                              "target_flash_intensity", "target_max_flash_intensity"})
                            get(QStringLiteral("wavewand ") + QLatin1String(k) + " b" + n2(b));
                }
                if (type == "measurementtool") {
                    get("measurementtool reference_of_tool b" + n2(b));
                    if (get("measurementtool tip_calibrated b" + n2(b)) == "yes")
                        get("measurementtool tip_residual b" + n2(b));
                }
                if (type == "fingertracking") {
                    const QString dev = get("fingertracking tactile_device_of_body b" + n2(b));
                    if (!dev.isNull() && dev != "none")
                        get("qorwpan device_model_desc " + dev.split(' ').mid(0, 2).join(' '));
                    const QString geo = get("fingertracking hand_geometry_of_body b" + n2(b));
                    if (!geo.isNull() && geo != "none")
                        get("fingertracking hand_geometry_desc " + geo);
                    get("fingertracking tactile_feedback_gain b" + n2(b));
                }
            }
        }
        QCOMPARE(count("measurementtool number_of_tools"),
                 count("body number_of_bodies measurementtool"));
        QCOMPARE(count("wavewand number_of_devices"), count("body number_of_bodies wavewand"));
        for (int t = 1, n = count("bodycal number_of_target_types"); t <= n; ++t)
            get("bodycal target_type_desc " + get("bodycal target_type_id t" + n2(t)));
        for (int t = 1, n = count("filter6d number_of_presets"); t <= n; ++t)
            get("filter6d preset_desc " + get("filter6d preset_id t" + n2(t)));
        for (int t = 1, n = count("filter6d number_of_modes"); t <= n; ++t)
            get("filter6d mode_desc " + get("filter6d mode_id t" + n2(t)));
    }

    void walkOutputs()
    {
        for (int ch = 1; ch <= 4; ++ch) {
            get("output net_active ch" + n2(ch));
            get("output net ch" + n2(ch));
            get("output net_divisor ch" + n2(ch));
        }
        for (int t = 1, n = count("output number_of_types"); t <= n; ++t) {
            const QString type = get("output type t" + n2(t));
            get("output type_desc " + type);
            get("output available " + type);
            get("output active chmon " + type);
            for (int ch = 1; ch <= 4; ++ch)
                get("output active ch" + n2(ch) + ' ' + type);
        }
    }

    void radioDevice(const QString& kind, const QString& id, bool device)
    {
        const QStringList w = id.split(' ');
        QCOMPARE(w.size(), 3);
        get("qorwpan " + kind + "_vendor_desc " + w.value(0));
        get("qorwpan " + kind + "_model_desc " + w.mid(0, 2).join(' '));
        get("qorwpan " + kind + "_version " + id);
        get("qorwpan " + kind + "_present " + id);
        if (device)
            get("qorwpan device_free " + id);
    }

    void walkRadio()
    {
        for (int d = 1, n = count("qorwpan number_of_transceivers"); d <= n; ++d)
            radioDevice("transceiver", get("qorwpan transceiver d" + n2(d)), false);
        for (int d = 1, n = count("qorwpan number_of_devices"); d <= n; ++d)
            radioDevice("device", get("qorwpan device d" + n2(d)), true);
        for (int d = 1, n = count("wavewand number_of_qorwpan_devices"); d <= n; ++d)
            get("qorwpan device_model_desc " +
                words("wavewand qorwpan_device d" + n2(d)).mid(0, 2).join(' '));
        for (int d = 1, n = count("fingertracking number_of_tactile_devices"); d <= n; ++d) {
            const QString id = get("fingertracking tactile_device d" + n2(d));
            get("qorwpan device_model_desc " + id.split(' ').mid(0, 2).join(' '));
            get("fingertracking body_of_tactile_device qorwpan " + id);
        }
    }

    void walkInertial()
    {
        for (int d = 1, n = count("inertial number_of_transceivers"); d <= n; ++d) {
            const QString id = get("inertial transceiver d" + n2(d));
            const QStringList w = id.split(' ');
            get("inertial transceiver_vendor_desc " + w.value(0));
            get("inertial transceiver_model_desc " + w.mid(0, 2).join(' '));
            for (const char* k : {"version", "present", "radio_channel"})
                get(QStringLiteral("inertial transceiver_") + QLatin1String(k) + ' ' + id);
        }
        for (int d = 1, n = count("inertial number_of_sensors"); d <= n; ++d) {
            const QString id = get("inertial sensor d" + n2(d));
            const QStringList w = id.split(' ');
            get("inertial sensor_vendor_desc " + w.value(0));
            get("inertial sensor_model_desc " + w.mid(0, 2).join(' '));
            for (const char* k :
                 {"sensor_version", "sensor_present", "sensor_radio_channel", "sensor_wakeup_mode",
                  "sensor_sleep_timeout", "body_of_sensor", "sensor_handeye", "sensor_delay",
                  "sensor_has_storage", "sensor_has_gyro_calibration", "sensor_output_frequency"})
                get(QStringLiteral("inertial ") + QLatin1String(k) + ' ' + id);
        }
    }

    void walkFingers()
    {
        for (int t = 1, n = count("fingertracking number_of_hand_geometries"); t <= n; ++t) {
            const QString g = get("fingertracking hand_geometry t" + n2(t));
            for (const char* k :
                 {"hand_geometry_available", "hand_geometry_desc", "hand_geometry_creation_date",
                  "handedness", "simulate_5finger", "body_of_hand_geometry"})
                get(QStringLiteral("fingertracking ") + QLatin1String(k) + ' ' + g);
            for (int m = 1, nm = count("fingertracking number_of_hand_marker " + g); m <= nm; ++m)
                get("fingertracking hand_marker " + g + " m" + n2(m));
            const QStringList fingers = words("fingertracking number_of_finger_marker " + g);
            for (int f = 1; f <= fingers.size(); ++f) {
                for (int m = 1; m <= fingers.at(f - 1).toInt(); ++m)
                    get(QStringLiteral("fingertracking finger_marker %1 f%2 m%3")
                            .arg(g)
                            .arg(f)
                            .arg(n2(m)));
                for (const char* k :
                     {"collision_radius", "length_of_phalanges", "location_of_joint"})
                    get(QStringLiteral("fingertracking %1 %2 f%3").arg(QLatin1String(k), g).arg(f));
            }
        }
        for (int t = 1, n = count("fingertracking number_of_thimble_sets"); t <= n; ++t) {
            const QString s = get("fingertracking thimble_set t" + n2(t));
            get("fingertracking thimble_set_available " + s);
            get("fingertracking thimble_set_desc " + s);
            const QStringList fingers = words("fingertracking number_of_thimble_set_marker " + s);
            for (int f = 1; f <= fingers.size(); ++f)
                for (int m = 1; m <= fingers.at(f - 1).toInt(); ++m)
                    get(QStringLiteral("fingertracking thimble_set_marker %1 f%2 m%3")
                            .arg(s)
                            .arg(f)
                            .arg(n2(m)));
        }
    }

    void walkLists()
    {
        for (int k = 1, n = count("config number_of_configs"); k <= n; ++k) {
            const QString id = get("config config t" + n2(k));
            for (const char* q : {"desc_of_config", "owner_of_config", "config_has_password"})
                get(QStringLiteral("config ") + QLatin1String(q) + ' ' + id);
        }
        for (int t = 1, n = count("targetlib number_of_targets"); t <= n; ++t) {
            get("targetlib target_name t" + n2(t));
            get("targetlib target_status_calibrated_custom t" + n2(t));
        }
    }

    static QString normalizeKeyText(const QString& key) { return normalizeKey(key); }

    CommandEngine* m_engine;
    QStringList m_missing;
};

CommandEngine* engineFor(const QString& name, CommandEngine* e)
{
    Profile p;
    QString error;
    if (!loadProfile(name, &p, &error)) {
        qWarning() << error;
        return nullptr;
    }
    e->setProfile(p);
    return e;
}

}  // namespace

class TestSimProfiles : public QObject
{
    Q_OBJECT

private slots:
    void everyReadParameterAnswers_data();
    void everyReadParameterAnswers();
    void sizesOfTheProfiles();
    void answersFitTheProtocolBuffer_data() { everyReadParameterAnswers_data(); }
    void answersFitTheProtocolBuffer();
    void oldControllerIsBelowEveryThreshold();
    void hostileAnswers_data();
    void hostileAnswers();
    void hostileCountsMeetEveryKind();
    void templates_data();
    void templates();
    void profileFiles();
};

void TestSimProfiles::everyReadParameterAnswers_data()
{
    QTest::addColumn<QString>("profile");
    for (const char* p : {"demo", "large", "cascade", "model2", "model21", "slave", "classic"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestSimProfiles::everyReadParameterAnswers()
{
    QFETCH(QString, profile);
    CommandEngine e;
    QVERIFY(engineFor(profile, &e));
    Walker w(&e);
    w.walkAll();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(w.missing().isEmpty(), qPrintable(w.missing().join(QLatin1String("\n"))));
    // The clock answers in blank-separated fields.
    const QRegularExpression threeFields(QStringLiteral("^\\d\\d \\d\\d \\d\\d$"));
    QVERIFY(threeFields.match(e.currentValue("system date").mid(2)).hasMatch());
    QVERIFY(threeFields.match(e.currentValue("system time")).hasMatch());
}

void TestSimProfiles::sizesOfTheProfiles()
{
    CommandEngine demo, large, cascade, m2, m21;
    QVERIFY(engineFor("demo", &demo) && engineFor("large", &large) &&
            engineFor("cascade", &cascade) && engineFor("model2", &m2) &&
            engineFor("model21", &m21));
    auto v = [](CommandEngine& e, const char* k) { return e.currentValue(normalizeKey(k)); };
    QVERIFY(v(demo, "camera number_of_cameras").toInt() >= 4);
    for (const char* t : {"standard", "wavewand", "measurementtool", "measurementtool_reference",
                          "fingertracking"}) {
        QVERIFY(v(demo, (QByteArray("body number_of_bodies ") + t).constData()).toInt() >= 1);
        QCOMPARE(v(large, (QByteArray("body number_of_bodies ") + t).constData()),
                 QStringLiteral("50"));
    }
    QVERIFY(v(demo, "config number_of_configs").toInt() >= 2);
    QCOMPARE(v(demo, "synccard available"), QStringLiteral("yes"));
    QCOMPARE(v(demo, "inertial available"), QStringLiteral("yes"));
    QCOMPARE(v(large, "camera number_of_cameras"), QStringLiteral("32"));
    QCOMPARE(v(large, "qorwpan number_of_devices"), QStringLiteral("16"));
    QCOMPARE(v(cascade, "cascade number_of_connected_slaves"), QStringLiteral("2"));
    QCOMPARE(v(m2, "system model"), QStringLiteral("2"));
    QCOMPARE(v(m21, "system model"), QStringLiteral("21"));
    // Each installation is its own machine on the network.
    QStringList macs;
    for (CommandEngine* e : {&demo, &large, &cascade, &m2, &m21})
        macs << v(*e, "system ethernet_mac");
    macs.removeDuplicates();
    QCOMPARE(macs.size(), 5);
}

void TestSimProfiles::answersFitTheProtocolBuffer()
{
    // An answer and its zero byte must fit the front-end's 200-byte buffer.
    QFETCH(QString, profile);
    CommandEngine e;
    QVERIFY(engineFor(profile, &e));
    for (const QString& key : e.model().keys()) {
        const QString answer = QStringLiteral("orvane2 set ") + key + ' ' +
                               e.currentValue(key, QHostAddress(QStringLiteral("255.255.255.255")));
        QVERIFY2(answer.size() < 200, qPrintable(answer));
        QVERIFY2(key.size() < 160, qPrintable(key));
    }
}

void TestSimProfiles::oldControllerIsBelowEveryThreshold()
{
    CommandEngine e;
    QVERIFY(engineFor("old", &e));
    const QString protocol = e.currentValue("system protocol_version");
    QVERIFY(protocol.startsWith('v'));
    const QStringList parts = protocol.mid(1).split('.');
    QVERIFY(parts.value(0).toInt() == 0 && parts.value(1).toInt() < 3);
    QCOMPARE(e.currentValue("system version"), QStringLiteral("v0.2.6"));
    // It knows the basics the connection needs, not the newer parameters.
    QVERIFY(!e.currentValue("system hostname").isNull());
    QVERIFY(!e.currentValue("camera number_of_cameras").isNull());
    QVERIFY(e.currentValue("system controller_version").isNull());
    QVERIFY(e.currentValue("inertial available").isNull());
    QVERIFY(e.currentValue("camera has_sensor_gain c01").isNull());
    // Live parameters of newer software are unknown as well.
    QVERIFY(e.currentValue("status frames_lost").isNull());
    QVERIFY(e.currentValue("config is_frontend_password none").isNull());
    QVERIFY(!e.currentValue("status active").isNull());
    Request r;
    r.peer = QHostAddress::LocalHost;
    r.text = QStringLiteral("orvane2 targetlib check_custom_calibration");
    QCOMPARE(e.handle(r).text, QByteArray("orvane2 err 1 unknown command"));
}

void TestSimProfiles::hostileAnswers_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("size");  // of the whole answer, 0: any
    QTest::newRow("markup and a link in the host name")
        << "orvane2 get system hostname"
        << "^orvane2 set system hostname <b>.*<a href=.*%s%n%1$" << 0;
    QTest::newRow("line feed in a value asked back as a key")
        << "orvane2 get synccard active_mode"
        << " int60\norvane2 get system hostname$" << 0;
    QTest::newRow("CR LF in a configuration id") << "orvane2 get config config t1"
                                                 << " cfg_demo\r\norvane2 get" << 0;
    QTest::newRow("text filling the answer to the last byte")
        << "orvane2 get config desc"
        << "^orvane2 set config desc \"<font .*0123456789.*\"$" << CommandEngine::kMaxAnswer;
    QTest::newRow("quoted text filling the answer")
        << "orvane2 get system full_name"
        << "^orvane2 set system full_name \".*\"$" << CommandEngine::kMaxAnswer;
    QTest::newRow("count of two thousand million") << "orvane2 get system extra number_of_hardware"
                                                   << " 2000000000$" << 0;
    QTest::newRow("live count held by the profile") << "orvane2 get status number_of_bodies"
                                                    << " 100$" << 0;
    QTest::newRow("not a number") << "orvane2 get status output_frequency"
                                  << " nan$" << 0;
    QTest::newRow("a word where a number belongs") << "orvane2 get camera max_flash_intensity c01"
                                                   << " many$" << 0;
    QTest::newRow("message with a link")
        << "orvane2 getmsg"
        << "^orvane2 msg warning: <a href=\"file:///etc/hostname\">" << 0;
}

void TestSimProfiles::hostileAnswers()
{
    QFETCH(QString, command);
    QFETCH(QString, pattern);
    QFETCH(int, size);
    CommandEngine e;
    QVERIFY(engineFor("hostile", &e));
    Request r;
    r.peer = QHostAddress::LocalHost;
    r.text = command;
    const QByteArray answer = e.handle(r).text;
    QVERIFY2(QRegularExpression(pattern).match(QString::fromLatin1(answer)).hasMatch(),
             answer.constData());
    QVERIFY(answer.size() <= CommandEngine::kMaxAnswer);
    if (size > 0)
        QCOMPARE(answer.size(), size);
}

void TestSimProfiles::hostileCountsMeetEveryKind()
{
    // One key per kind of count the front-end loops over; each must be absurd.
    static const char* const counts[] = {"system extra number_of_hardware",
                                         "system number_of_single_versions",
                                         "camera number_of_cameras",
                                         "camera number_of_areas c01",
                                         "roomcal last_cam_number",
                                         "tracking number_of_missing_cameras",
                                         "cascade number_of_connected_slaves",
                                         "config number_of_configs",
                                         "synccard number_of_modes",
                                         "synccard number_of_channels d01",
                                         "body number_of_bodies standard",
                                         "body number_of_marker standard b01",
                                         "filter6d number_of_presets",
                                         "output number_of_types",
                                         "targetlib number_of_targets",
                                         "wavewand number_of_qorwpan_devices",
                                         "measurementtool number_of_references",
                                         "fingertracking number_of_hand_geometries",
                                         "fingertracking number_of_hand_marker left_m",
                                         "fingertracking number_of_tactile_devices",
                                         "inertial number_of_sensors",
                                         "qorwpan number_of_devices",
                                         "qorwpan number_of_transceivers"};
    CommandEngine e;
    QVERIFY(engineFor("hostile", &e));
    QSet<QString> seen;
    for (const char* key : counts) {
        const QString v = e.currentValue(normalizeKey(QLatin1String(key)));
        QVERIFY2(v == "100" || v == "9999" || v == "2000000000", key);
        seen << v;
    }
    QCOMPARE(seen.size(), 3);
    QCOMPARE(e.currentValue("body number_of_bodies measurementtool"), QStringLiteral("0"));
    QCOMPARE(e.queuedMessages(), 4);
}

void TestSimProfiles::templates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("j");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two digits") << "camera c{n}" << 3 << 0 << "camera c03";
    QTest::newRow("plain") << "Pointer {i}" << 12 << 0 << "Pointer 12";
    QTest::newRow("arithmetic") << "{i*37%100+5}" << 3 << 0 << "16";
    QTest::newRow("inner index") << "b{n} m{m} {j}" << 2 << 7 << "b02 m07 7";
    QTest::newRow("pick cycles") << "{pick:a|b|c}" << 4 << 0 << "a";
    QTest::newRow("nested") << "{pick:x{i}|y}" << 1 << 0 << "x1";
    QTest::newRow("unknown stays") << "{what}" << 1 << 0 << "{what}";
    QTest::newRow("unbalanced") << "a{b" << 1 << 0 << "a{b";
}

void TestSimProfiles::templates()
{
    QFETCH(QString, text);
    QFETCH(int, i);
    QFETCH(int, j);
    QFETCH(QString, expected);
    QCOMPARE(expandTemplate(text, i, j, 10), expected);
}

void TestSimProfiles::profileFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto write = [&](const QString& name, const QByteArray& text) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    };
    Profile p;
    QString error;
    QVERIFY(!loadProfile(write("broken.json", "{ \"name\": "), &p, &error));
    QVERIFY2(error.contains("broken.json"), qPrintable(error));
    QVERIFY(!loadProfile(write("orphan.json", R"({"base": "no-such-base"})"), &p, &error));
    QVERIFY2(error.contains("no-such-base"), qPrintable(error));
    QVERIFY(!loadProfile(write("loop.json", QByteArray("{\"base\": \"") +
                                                dir.filePath("loop.json").toUtf8() + "\"}"),
                         &p, &error));
    const QString small = write("small.json", R"({"name": "small",
        "settings": {"frequency_hz": 120, "frontend_password": "pw"},
        "readonly": ["box *"], "writable": ["box name"],
        "parameters": {"box name": "x", "box serial": 7, "box on": true},
        "repeat": [{"count": 3, "parameters": {"cam c{n} id": "{i*10}"}}]})");
    QVERIFY2(loadProfile(small, &p, &error), qPrintable(error));
    QCOMPARE(p.settings.name, QStringLiteral("small"));
    QCOMPARE(p.settings.frequencyHz, 120.0);
    QCOMPARE(p.settings.frontendPassword, QStringLiteral("pw"));
    QCOMPARE(p.model.value("box serial"), QStringLiteral("7"));
    QCOMPARE(p.model.value("box on"), QStringLiteral("yes"));
    QCOMPARE(p.model.value("cam c03 id"), QStringLiteral("30"));
    QVERIFY(p.model.isReadOnly("box serial"));
    QVERIFY(!p.model.isReadOnly("box name"));
    QCOMPARE(p.model.size(), 6);
}

QTEST_GUILESS_MAIN(TestSimProfiles)
#include "tst_simprofiles.moc"
