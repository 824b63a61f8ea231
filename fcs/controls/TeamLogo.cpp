#include "fcs/controls/TeamLogo.h"

#include <QPainter>

CTeamLogo::CTeamLogo(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CTeamLogo::LoadLogo(const QString& path)
{
    m_logo.reset();
    auto logo = std::make_unique<CPictureImage>();
    if (!logo->Load(path))
        return false;
    logo->SetFit(true);
    m_logo = std::move(logo);
    update();
    return true;
}

void CTeamLogo::ClearLogo()
{
    m_logo.reset();
    update();
}

void CTeamLogo::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_logo)
        m_logo->Draw(painter, QRect(), rect());
}
