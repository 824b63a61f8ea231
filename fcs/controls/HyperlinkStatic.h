#pragma once

#include <QWidget>
#include <functional>

// A blue underlined link text; a click on the text opens the target.
class CHyperlinkStatic : public QWidget {
    Q_OBJECT

public:
    explicit CHyperlinkStatic(const QString& text = {}, QWidget* parent = nullptr);
    void SetLinkText(const QString& text);
    void SetTarget(const QString& target);
    const QString& linkText() const { return m_text; }
    const QString& target() const { return m_target; }
    // How targets are opened (the desktop's default handler unless replaced).
    void setOpener(std::function<void(const QString&)> opener) { m_opener = std::move(opener); }
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QFont linkFont() const;
    bool overText(const QPoint& pos) const;

    QString m_text;
    QString m_target;
    mutable QSize m_extent;
    std::function<void(const QString&)> m_opener;
};
