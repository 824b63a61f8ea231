#pragma once

#include "platform/Prompt.h"

class QWidget;

// Prompt shown as a modal QMessageBox over a parent window.
class QtPrompt : public Prompt {
public:
    explicit QtPrompt(QWidget* parent = nullptr, QString title = {});
    void setParent(QWidget* parent) { m_parent = parent; }
    Answer ask(const QString& text, Buttons buttons, Icon icon) override;

private:
    QWidget* m_parent;
    QString m_title;
};
