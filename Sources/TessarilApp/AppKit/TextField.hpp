#pragma once

#include <string>

#include <QColor>
#include <QLineEdit>

#include "TessarilApp/AppKit/Control.hpp"

namespace tessaril::appkit {

// An editable one-line text field. Its action runs on Return only: leaving the field or typing sends
// nothing, so a half-typed value is never applied behind the user's back. Main thread only.
class TextField : public QLineEdit, public Control {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent = nullptr);

    QWidget& widget() override { return *this; }
    ControlKind kind() const override { return ControlKind::field; }

    std::string stringValue() const { return text().toStdString(); }
    // Shows a value: what the field holds is no longer waiting to be committed. A field not being
    // edited shows the start of its text (so does one the focus leaves); the one being edited keeps
    // its cursor.
    void setStringValue(const std::string& value);
    // Replaces the text as typing does: it waits to be committed.
    void setTypedText(const QString& text);
    // Return: commits what was typed and runs the action. A field without an action keeps its typed
    // text waiting for the button that saves it.
    void commit();
    // Typed text waits to be committed unless the action running now commits it. An action that
    // refuses the text (and so rebuilds nothing) leaves it waiting.
    bool waitsForCommit() const { return isModified() && !committing_; }
    void markCommitting();
    // Called as the outermost action ends.
    static void endCommits();
    // Typed text that waits to be committed is carried over when its page is rebuilt, unless the page
    // keeps it another way.
    bool keepsTypedText() const { return keepsTypedText_; }
    void setKeepsTypedText(bool keeps) { keepsTypedText_ = keeps; }
    // Tells apart fields that are otherwise alike (same action, identifier and placeholder) across a
    // rebuild; never shown.
    const std::string& restorationKey() const { return restorationKey_; }
    void setRestorationKey(std::string key) { restorationKey_ = std::move(key); }
    std::string placeholder() const { return placeholderText().toStdString(); }
    void setPlaceholder(const std::string& placeholder);
    void setColors(const QColor& text, const QColor& background, const QColor& border);
    void setTextAlignment(Qt::Alignment alignment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool isBeingEdited() const;
    void showStartUnlessEdited();

    QColor border_;
    bool keepsTypedText_ = true;
    bool committing_ = false;
    std::string restorationKey_;
};

// The field's text as its save button commits it: it no longer waits to be committed.
std::string committedText(QLineEdit& field);

} // namespace tessaril::appkit
