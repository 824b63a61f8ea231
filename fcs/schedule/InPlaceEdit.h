#pragma once

#include <QLineEdit>
#include <optional>

// A one-line edit laid over one cell of the match list while it is edited.
// Enter keeps the text, Esc throws it away; either way, and on any other loss
// of focus, it reports the end of the edit once and deletes itself.
class CInPlaceEdit : public QLineEdit {
    Q_OBJECT

public:
    CInPlaceEdit(QWidget* parent, int row, int column, const QString& text, QWidget* focusBack);

    int row() const { return m_nRow; }
    int column() const { return m_nColumn; }
    const QString& initialText() const { return m_strInitText; }

signals:
    // text is empty (no value) when the edit was cancelled.
    void editEnded(int row, int column, std::optional<QString> text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finish();
    void growToText();

    int m_nRow;
    int m_nColumn;
    QString m_strInitText;
    bool m_bEsc = false;
    bool m_ended = false;
    QWidget* m_focusBack;
};
