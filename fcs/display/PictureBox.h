#pragma once

#include "fcs/display/PictureImage.h"

#include <QWidget>
#include <array>
#include <functional>

class Prompt;

// A control that shows one of up to five pictures by state number.
class CPictureBox : public QWidget {
    Q_OBJECT

public:
    explicit CPictureBox(QWidget* parent = nullptr);

    // Where load failures are reported; the program sets its prompt once.
    // Without one, failures are only logged as warnings.
    static void SetFailurePrompt(Prompt* prompt);

    // Pictures for states 0 to 4 by string id (-1 ends the list). A picture
    // that cannot be loaded is reported once and ends the list.
    bool SetImages(std::initializer_list<int> ids);
    bool SetImageNames(const QStringList& names);
    void SetState(int state);
    int GetState() const { return m_state; }
    void SetFit();
    void SetBlackBackground();
    bool LoadFromFile(QIODevice& file);

    const CPictureImage& picture(int state) const { return m_pictures[static_cast<size_t>(state)]; }
    // Repaint requests made by state changes (no request when nothing changed).
    int repaintRequests() const { return m_repaints; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void report(const QString& text);

    std::array<CPictureImage, 5> m_pictures;
    int m_state = 0;
    QColor m_background;
    int m_repaints = 0;
};
