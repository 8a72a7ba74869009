#include "platform/qt/panel_accessible.h"

#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {
namespace {

QAccessibleInterface* PanelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("marvolin::platform::qt::MainWidget")) {
        if (auto* widget = qobject_cast<MainWidget*>(object)) {
            return new PanelAccessible(widget);
        }
    }
    return nullptr;
}

QRect ToQRect(const Rect& area) {
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

}  // namespace

std::vector<ButtonChange> ButtonChanges(const std::vector<AccessibleButton>& before,
                                        const std::vector<AccessibleButton>& after) {
    std::vector<ButtonChange> changes;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool added = i >= before.size();
        const int index = static_cast<int>(i);
        if (added || before[i].name != after[i].name) {
            changes.push_back({index, QAccessible::NameChanged});
        }
        if (added || before[i].description != after[i].description) {
            changes.push_back({index, QAccessible::DescriptionChanged});
        }
    }
    return changes;
}

void InstallPanelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(PanelFactory);
        return true;
    }();
    (void)installed;
}

PanelAccessible::PanelAccessible(MainWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Window) {}

MainWidget* PanelAccessible::panel() const {
    return static_cast<MainWidget*>(widget());
}

int PanelAccessible::childCount() const {
    return static_cast<int>(panel()->accessibleButtons().size());
}

QAccessibleInterface* PanelAccessible::child(int index) const {
    return panel()->ButtonInterface(index);
}

int PanelAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < childCount(); ++i) {
        if (panel()->ButtonInterface(i) == child) {
            return i;
        }
    }
    return -1;
}

QAccessibleInterface* PanelAccessible::childAt(int x, int y) const {
    const QPoint local = panel()->mapFromGlobal(QPoint(x, y));
    // Where buttons overlap the later one is clicked, so it is the one found.
    for (int i = childCount() - 1; i >= 0; --i) {
        if (ToQRect(panel()->accessibleButtons()[static_cast<std::size_t>(i)].area)
                .contains(local)) {
            return child(i);
        }
    }
    return nullptr;
}

QString PanelAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name) {
        return panel()->windowTitle();
    }
    return QAccessibleWidget::text(kind);
}

PanelButtonAccessible::PanelButtonAccessible(MainWidget* widget, int index)
    : widget_(widget), index_(index) {}

bool PanelButtonAccessible::isValid() const {
    return !widget_.isNull() && index_ >= 0 &&
           static_cast<std::size_t>(index_) < widget_->accessibleButtons().size();
}

QWindow* PanelButtonAccessible::window() const {
    return widget_.isNull() ? nullptr : widget_->windowHandle();
}

QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> PanelButtonAccessible::relations(
    QAccessible::Relation) const {
    return {};
}

QAccessibleInterface* PanelButtonAccessible::parent() const {
    return widget_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(widget_.data());
}

QString PanelButtonAccessible::text(QAccessible::Text kind) const {
    if (!isValid()) {
        return {};
    }
    const AccessibleButton& button = widget_->accessibleButtons()[static_cast<std::size_t>(index_)];
    switch (kind) {
        case QAccessible::Name:
            return QString::fromStdString(button.name);
        case QAccessible::Description:
        case QAccessible::Help:
            return QString::fromStdString(button.description);
        default:
            return {};
    }
}

QRect PanelButtonAccessible::rect() const {
    if (!isValid()) {
        return {};
    }
    const QRect area = ToQRect(widget_->accessibleButtons()[static_cast<std::size_t>(index_)].area);
    return {widget_->mapToGlobal(area.topLeft()), area.size()};
}

QAccessible::State PanelButtonAccessible::state() const {
    QAccessible::State state;
    if (widget_.isNull() || !widget_->isVisible()) {
        state.invisible = true;
    }
    return state;
}

void* PanelButtonAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface) {
        return static_cast<QAccessibleActionInterface*>(this);
    }
    return nullptr;
}

QStringList PanelButtonAccessible::actionNames() const {
    return {pressAction()};
}

void PanelButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && isValid()) {
        widget_->ClickButton(index_);
    }
}

}  // namespace marvolin::platform::qt
