#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "platform/window.h"

namespace marvolin::platform::qt {

class MainWidget;

// The main window as a screen reader sees it: a panel whose children are its painted buttons.
class PanelAccessible : public QAccessibleWidget {
  public:
    explicit PanelAccessible(MainWidget* widget);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;

  private:
    MainWidget* panel() const;
};

// One painted button: a push button with the name and help line the program gave it, whose
// press action clicks it.
class PanelButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    PanelButtonAccessible(MainWidget* widget, int index);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return index_; }

  private:
    QPointer<MainWidget> widget_;
    int index_;
};

// What a screen reader must be told when the buttons change from `before` to `after`: for each
// button in order, NameChanged and/or DescriptionChanged (every event for a new button).
struct ButtonChange {
    int index;
    QAccessible::Event event;
    bool operator==(const ButtonChange&) const = default;
};
std::vector<ButtonChange> ButtonChanges(const std::vector<AccessibleButton>& before,
                                        const std::vector<AccessibleButton>& after);

// Makes Qt's accessibility use PanelAccessible for the main widget.
void InstallPanelAccessibility();

}  // namespace marvolin::platform::qt
