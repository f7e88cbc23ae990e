#include "windows/table/TableAccessible.h"

#include "windows/table/TableView.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <map>

namespace {

// One pile of the table.
class PileAccessible final : public QAccessibleInterface {
public:
    PileAccessible(TableView* view, int index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ != nullptr && index_ < view_->pileCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? view_->pileDescription(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect inView = view_->pileRect(index_);
        return QRect(view_->viewport()->mapToGlobal(inView.topLeft()), inView.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        return s;
    }

private:
    QPointer<TableView> view_;
    int index_;
};

// The table: its piles.
class TableViewAccessible final : public QAccessibleWidget {
public:
    explicit TableViewAccessible(TableView* view)
        : QAccessibleWidget(view, QAccessible::List, QStringLiteral("Card table"))
    {
    }
    ~TableViewAccessible() override
    {
        for (const auto& [index, id] : piles_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return view()->pileCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        auto found = piles_.find(index);
        if (found == piles_.end()) {
            auto* pile = new PileAccessible(view(), index);
            found = piles_.emplace(index, QAccessible::registerAccessibleInterface(pile)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const auto& [index, id] : piles_)
            if (QAccessible::accessibleInterface(id) == child)
                return index;
        return -1;
    }

private:
    TableView* view() const { return static_cast<TableView*>(object()); }

    mutable std::map<int, QAccessible::Id> piles_;
};

} // namespace

QAccessibleInterface* tableAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TableView") && object != nullptr && object->isWidgetType())
        return new TableViewAccessible(static_cast<TableView*>(object));
    return nullptr;
}

void installTableAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(&tableAccessibleFactory);
        installed = true;
    }
}
