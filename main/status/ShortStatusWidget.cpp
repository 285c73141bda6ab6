#include "ShortStatusWidget.h"

#include "IOManager.h"
#include "StatusCommon.h"
#include "StatusReadings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

#include <cstring>

namespace {

QLabel* iconLabel(QWidget* parent, const QString& path, const QString& whatsThis)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(16, 16);
    label->setScaledContents(true);
    label->setPixmap(QPixmap(path));
    label->setWhatsThis(whatsThis);
    return label;
}

}  // namespace

ShortStatusWidget::ShortStatusWidget(IOManager* iom, QWidget* parent) : QWidget(parent), iom(iom)
{
    const QString bodies =
        tr("This shows the number of currently tracked 6DOF bodies including all module bodies.");
    const QString markers = tr("This shows the number of currently tracked 3DOF marker.");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(iconLabel(this, StatusCommon::themedIcon(this, "body"), bodies));
    num6d = new QLabel("-", this);
    num6d->setMinimumWidth(15);
    StatusCommon::fitLabelWidth(num6d);
    num6d->setWhatsThis(bodies);
    layout->addWidget(num6d);
    layout->addWidget(iconLabel(this, ":/images/icons/marker.png", markers));
    num3d = new QLabel("-", this);
    num3d->setMinimumWidth(15);
    StatusCommon::fitLabelWidth(num3d);
    num3d->setWhatsThis(markers);
    layout->addWidget(num3d);
    setFixedSize(sizeHint());
}

QString ShortStatusWidget::bodiesText() const
{
    return num6d->text();
}

QString ShortStatusWidget::markersText() const
{
    return num3d->text();
}

void ShortStatusWidget::update_status(const char* status)
{
    if (std::strcmp(status, "cal") != 0 && std::strcmp(status, "mea") != 0) {
        num6d->setText("-");
        num3d->setText("-");
        return;
    }
    int bodies = -1;
    int markers = -1;
    StatusReadings::readBodiesAndMarkers(iom, &bodies, &markers);
    num6d->setText(QString::number(bodies));
    num3d->setText(QString::number(markers));
}
