#include "fcs/display/PictureBox.h"

#include "fcs/display/DisplayPictureIds.h"
#include "fcs/display/ImageLookup.h"
#include "fcs/resources/StringTable.h"
#include "platform/Prompt.h"

#include <QPainter>
#include <QtDebug>

namespace {
Prompt*& failurePrompt()
{
    static Prompt* prompt = nullptr;
    return prompt;
}
}

CPictureBox::CPictureBox(QWidget* parent) : QWidget(parent)
{
    m_background = palette().color(QPalette::Button);
    // Painted whole in one pass; no separate erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPictureBox::SetFailurePrompt(Prompt* prompt)
{
    failurePrompt() = prompt;
}

void CPictureBox::report(const QString& text)
{
    if (Prompt* prompt = failurePrompt())
        prompt->show(text, Prompt::Icon::Warning);
    else
        qWarning().noquote() << text;
}

bool CPictureBox::SetImages(std::initializer_list<int> ids)
{
    QStringList names;
    for (int id : ids) {
        if (id == -1)
            break;
        names << Str(id);
    }
    return SetImageNames(names);
}

bool CPictureBox::SetImageNames(const QStringList& names)
{
    for (int k = 0; k < 5 && k < names.size(); ++k) {
        if (!m_pictures[static_cast<size_t>(k)].Load(ImageLookup::ImagePath(names[k]))) {
            report(FormatMessage(DisplayPictureIds::kUnableToLoad, {names[k]}));
            return false;
        }
    }
    update();
    return true;
}

void CPictureBox::SetState(int state)
{
    if (state < 0 || state > 4 || state == m_state)
        return;
    m_state = state;
    ++m_repaints;
    update();
}

void CPictureBox::SetFit()
{
    for (CPictureImage& picture : m_pictures)
        picture.SetFit(true);
}

void CPictureBox::SetBlackBackground()
{
    m_background = Qt::black;
    update();
}

bool CPictureBox::LoadFromFile(QIODevice& file)
{
    if (!m_pictures[0].LoadFromFile(file)) {
        report(Str(224));
        return false;
    }
    update();
    return true;
}

void CPictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    m_pictures[static_cast<size_t>(m_state)].Draw(painter, QRect(), rect());
}
