#include "TessarilAppTests/AppKit/LayoutFaults.hpp"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QFontMetricsF>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilApp/AppKit/View.hpp"

namespace tessaril::appkit {

namespace {

// Stands for "no edge" along an axis a scroll view scrolls.
constexpr int unbounded = 1 << 24;

QString withoutSpaces(const QString& text) {
    QString kept;
    for (const QChar character : text) {
        if (!character.isSpace()) kept += character;
    }
    return kept;
}

std::string quoted(const QString& text) { return "\"" + QString(text).replace(QLatin1Char('\n'), QLatin1Char('|')).toStdString() + "\""; }

std::string describeRect(const QRect& rect) {
    return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " + std::to_string(rect.width()) + "x" +
           std::to_string(rect.height());
}

// A border overlay and the like: a child that covers its whole parent, draws only over it and
// lets the mouse through.
bool isDecoration(const QWidget& child) {
    const QWidget* parent = child.parentWidget();
    return parent && child.testAttribute(Qt::WA_TransparentForMouseEvents) && child.geometry() == parent->rect() &&
           child.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
}

// What a user can see as a thing of its own: a control or text, a box that paints its layer, or
// any other widget without subviews.
bool isContent(QWidget& widget) {
    if (Control::from(&widget)) return true;
    if (const auto* view = qobject_cast<View*>(&widget)) return !view->layerStyle().isEmpty();
    return widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
}

// Whether the glyphs of the lines stay inside the label as it paints them: lines of the font's
// height, centred as a block, each text centred in its line. A line's empty space above and below
// its glyphs may be cut.
bool inkFits(const Label& label, const QStringList& lines) {
    const QFontMetricsF metrics(label.font());
    const int lineHeight = QFontMetrics(label.font()).height();
    const int top = (label.height() - static_cast<int>(lines.size()) * lineHeight) / 2;
    // Tall glyphs ("【") fill a line to its last row; a pixel's antialiasing beyond it is not a cut.
    constexpr double tolerance = 1.0;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        if (lines[index].isEmpty()) continue;
        const QRectF ink = metrics.tightBoundingRect(lines[index]);
        const double baseline = top + static_cast<double>(index * lineHeight) + (lineHeight - metrics.height()) / 2 + metrics.ascent();
        if (baseline + ink.top() < -tolerance || baseline + ink.bottom() > label.height() + tolerance) return false;
    }
    return true;
}

class Audit {
public:
    explicit Audit(QWidget& root) : root_(root) {}

    std::vector<std::string> run() {
        visit(root_, frameOf(root_));
        return std::move(faults_);
    }

private:
    QRect frameOf(const QWidget& widget) const { return {widget.mapTo(&root_, QPoint(0, 0)), widget.size()}; }

    std::string describe(QWidget& widget) const {
        std::string text = widget.metaObject()->className();
        if (!widget.objectName().isEmpty()) text += " #" + widget.objectName().toStdString();
        if (const Control* control = Control::from(&widget); control && !control->title().empty()) {
            text += " " + quoted(QString::fromStdString(control->title()));
        }
        return text + " at " + describeRect(frameOf(widget));
    }

    void report(QWidget& widget, const std::string& fault) { faults_.push_back(describe(widget) + ": " + fault); }

    // The visible subviews a user sees inside `widget`: a scroll view shows only its viewport's.
    std::vector<QWidget*> shownChildren(QWidget& widget) const {
        if (auto* scroll = qobject_cast<QAbstractScrollArea*>(&widget)) {
            return scroll->viewport()->isVisibleTo(&root_) ? std::vector<QWidget*>{scroll->viewport()} : std::vector<QWidget*>{};
        }
        std::vector<QWidget*> children;
        for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || !child->isVisibleTo(&root_) || isDecoration(*child)) continue;
            children.push_back(child);
        }
        return children;
    }

    // Where the children of `widget` can be seen, given what of `widget` is seen: a scroll view's
    // viewport lets its document reach as far as it likes along the axes it scrolls.
    static QRect childArea(const QWidget& widget, const QRect& shown) {
        const auto* scroll = widget.parentWidget() ? qobject_cast<const QAbstractScrollArea*>(widget.parentWidget()) : nullptr;
        if (!scroll || scroll->viewport() != &widget) return shown;
        QRect area = shown;
        if (scroll->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
            area.setLeft(-unbounded);
            area.setRight(unbounded);
        }
        if (scroll->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) {
            area.setTop(-unbounded);
            area.setBottom(unbounded);
        }
        return area;
    }

    // True when a fault was found in `widget` or below it. `shown`: what of it can be seen.
    bool visit(QWidget& widget, const QRect& shown) {
        bool found = checkText(widget);
        // Nothing inside a widget without area can be seen: a table's header of height 0 is no header.
        if (widget.width() <= 0 || widget.height() <= 0) return found;
        const std::vector<QWidget*> children = shownChildren(widget);
        found = checkOverlaps(children) || found;
        const QRect area = childArea(widget, shown);
        for (QWidget* child : children) {
            const QRect frame = frameOf(*child);
            const bool inside = visit(*child, area.intersected(frame));
            // Only the innermost widget that reaches out is named; its containers follow from it.
            if (!inside && !frame.isEmpty() && isContent(*child) && !area.contains(frame)) {
                report(*child, "reaches past the visible " + describeRect(area) + " of " + describe(widget));
                found = true;
            }
            found = inside || found;
        }
        return found;
    }

    bool checkOverlaps(const std::vector<QWidget*>& children) {
        bool found = false;
        for (std::size_t first = 0; first < children.size(); ++first) {
            for (std::size_t second = first + 1; second < children.size(); ++second) {
                if (!children[first]->geometry().intersects(children[second]->geometry())) continue;
                report(*children[first], "overlaps " + describe(*children[second]));
                found = true;
            }
        }
        return found;
    }

    // A cut text is a fault unless the whole of it is in a tool tip of the widget or around it.
    bool elidesByDesign(const QWidget& widget, const QString& text) const {
        for (const QWidget* current = &widget; current; current = current->parentWidget()) {
            if (current->toolTip().contains(text)) return true;
            if (current == &root_) break;
        }
        return false;
    }

    bool checkTitle(QWidget& widget, const QString& title, const QRect& area) {
        if (title.isEmpty()) return false;
        const QString shown = QFontMetricsF(widget.font()).elidedText(title, Qt::ElideRight, area.width());
        if (shown == title || elidesByDesign(widget, title)) return false;
        report(widget, "title shows " + quoted(shown) + " in " + std::to_string(area.width()) + " wide");
        return true;
    }

    bool checkText(QWidget& widget) {
        if (auto* button = qobject_cast<Button*>(&widget)) return checkTitle(widget, button->text(), button->titleRect());
        if (auto* popup = qobject_cast<PopUpButton*>(&widget)) return checkTitle(widget, popup->currentText(), popup->titleRect());
        auto* label = qobject_cast<Label*>(&widget);
        if (!label || label->text().empty()) return false;
        const QString text = QString::fromStdString(label->text());
        const QString shown = label->displayedText();
        bool found = false;
        if (withoutSpaces(shown) != withoutSpaces(text) && !elidesByDesign(widget, text)) {
            report(widget, "shows " + quoted(shown));
            found = true;
        }
        if (!inkFits(*label, shown.split(QLatin1Char('\n')))) {
            report(widget, "the glyphs of " + quoted(shown) + " reach past its top or bottom");
            found = true;
        }
        return found;
    }

    QWidget& root_;
    std::vector<std::string> faults_;
};

} // namespace

std::vector<std::string> layoutFaults(QWidget& root) { return Audit(root).run(); }

} // namespace tessaril::appkit
