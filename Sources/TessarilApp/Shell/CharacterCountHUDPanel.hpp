#pragma once

#include <QWidget>

#include "TessarilMac/TextActions/CharacterCountHUDContent.hpp"

class QLayout;

namespace tessaril {

// The character-count panel: a frameless, always-on-top tool window that never takes the focus, dark
// with an amber border, 292 × 154 with the four counts or 292 × 76 with "選択なし". It shows the content
// it was made with and is never changed. Thread: the GUI thread.
class CharacterCountHUDPanel final : public QWidget {
    Q_OBJECT

public:
    explicit CharacterCountHUDPanel(const CharacterCountHUDContent& content, QWidget* parent = nullptr);

    // One row: the label in a fixed 86-point column, then the count.
    static QLayout* makeCharacterCountHUDRow(const QString& title, const QString& value);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessaril
