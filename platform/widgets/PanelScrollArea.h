#pragma once

#include <QScrollArea>

// Holds a panel that sizes itself: centred while the area has room for it,
// scrolled where a larger text or scale leaves too little, and scrolled to
// whichever of its controls takes the keyboard focus.
class PanelScrollArea final : public QScrollArea {
    Q_OBJECT

public:
    explicit PanelScrollArea(QWidget* panel, QWidget* parent = nullptr);
    ~PanelScrollArea() override;

    QWidget* panel() const { return m_panel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placePanel();

    QWidget* m_panel;
};
