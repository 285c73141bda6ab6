#include "CamStatusWidget.h"

#include "IOManager.h"
#include "StatusCommon.h"
#include "StatusReadings.h"

#include <QHBoxLayout>
#include <QLineEdit>

CamStatusWidget::CamStatusWidget(IOManager* iom, int camera_id, QWidget* parent)
    : QWidget(parent), iom(iom), camera_id(camera_id)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    le = new QLineEdit(this);
    le->setReadOnly(true);
    le->setEnabled(false);
    le->setAlignment(Qt::AlignCenter);
    le->setFixedSize(60, 16);
    // A camera sees at most a few hundred rays; four digits each way fit, and
    // a dozen cameras still fit beside the other bars of a 1000-pixel window.
    StatusCommon::fitLineEditWidth(le, buildInfoString(9999, 9999));
    le->setText(QString("c%1").arg(camera_id + 1, 2, 10, QChar('0')));
    layout->addWidget(le);
    setWhatsThis(
        tr("<b>'a/b'</b><br>a: number of detected 2DOF markers <br>b: number of used "
           "2DOF markers"));
    setFixedSize(sizeHint());
}

QString CamStatusWidget::text() const
{
    return le->text();
}

void CamStatusWidget::update_status()
{
    if (hasNewInfo) {
        le->setText(newInfo);
        hasNewInfo = false;
        return;
    }
    int rays = 1;
    int used = 1;
    StatusReadings::readCameraRays(iom, camera_id + 1, &rays, &used);
    le->setText(buildInfoString(rays, used));
}

void CamStatusWidget::mea_stopped()
{
    le->setText(buildInfoString(-1, -1));
}

void CamStatusWidget::storeNewInfo(const QString& text)
{
    newInfo = text;
    hasNewInfo = true;
}

QString CamStatusWidget::buildInfoString(int a, int b)
{
    const QString first = a == -1 ? QStringLiteral(" - /") : QString::number(a) + "/";
    return first + (b == -1 ? QStringLiteral(" - ") : QString::number(b));
}
