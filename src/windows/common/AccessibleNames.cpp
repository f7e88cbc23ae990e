#include "windows/common/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsView>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>

#include <functional>

namespace accessibleNames {

namespace {

QString cleaned(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// The label just before the control in its layout, or in a row the layout
// holds.
QString labelBefore(const QWidget& control)
{
    const QWidget* parent = control.parentWidget();
    if (parent == nullptr || parent->layout() == nullptr)
        return {};
    const std::function<QString(const QLayout&)> search = [&](const QLayout& layout) -> QString {
        const QLabel* last = nullptr;
        for (int i = 0; i < layout.count(); ++i) {
            QLayoutItem* item = layout.itemAt(i);
            if (item->widget() == &control)
                return last != nullptr ? cleaned(last->text()) : QString();
            if (const auto* label = qobject_cast<const QLabel*>(item->widget());
                label != nullptr && !label->text().isEmpty())
                last = label;
            if (item->layout() != nullptr)
                if (const QString inner = search(*item->layout()); !inner.isEmpty())
                    return inner;
        }
        return {};
    };
    return search(*parent->layout());
}

// The group box or tab page the control sits in.
QString placeOf(const QWidget& control)
{
    for (const QWidget* w = &control; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (const auto* group = qobject_cast<const QGroupBox*>(parent); group != nullptr && !group->title().isEmpty())
            return cleaned(group->title());
        if (const auto* stack = qobject_cast<const QStackedWidget*>(parent))
            if (const auto* tabs = qobject_cast<const QTabWidget*>(stack->parentWidget()))
                return cleaned(tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w))));
    }
    return {};
}

bool needsName(const QWidget& w)
{
    if (qobject_cast<const QScrollBar*>(&w) != nullptr)
        return false;
    // The parts views are made of (their viewports, headers) are named by
    // the view.
    if (w.parentWidget() != nullptr && qobject_cast<const QAbstractScrollArea*>(w.parentWidget()) != nullptr)
        return false;
    return qobject_cast<const QAbstractItemView*>(&w) != nullptr || qobject_cast<const QComboBox*>(&w) != nullptr ||
           qobject_cast<const QLineEdit*>(&w) != nullptr || qobject_cast<const QAbstractSlider*>(&w) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&w) != nullptr || qobject_cast<const QGraphicsView*>(&w) != nullptr;
}

class OnShow final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow())
                nameControls(*widget);
        }
        return false;
    }
};

} // namespace

void nameControls(QWidget& window)
{
    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (!needsName(*control) || !control->accessibleName().isEmpty())
            continue;
        QString name = labelBefore(*control);
        if (name.isEmpty())
            name = cleaned(control->toolTip());
        if (name.isEmpty())
            name = placeOf(*control);
        if (name.isEmpty())
            name = cleaned(window.windowTitle());
        control->setAccessibleName(name);
    }
}

void install()
{
    static OnShow* filter = nullptr;
    if (filter == nullptr && qApp != nullptr) {
        filter = new OnShow(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace accessibleNames
