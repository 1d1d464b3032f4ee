#include "editor/qt/ControlMirror.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "editor/qt/UpDownWidget.h"

namespace editor {
namespace {

void SetText(QLabel* widget, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (widget->text() != shown) widget->setText(shown);
}

QStringList Entries(const std::vector<std::string>& items) {
    QStringList entries;
    for (const std::string& item : items) entries << QString::fromStdString(item);
    return entries;
}

}  // namespace

void ControlMirror::Add(const Label& model, QLabel* widget) {
    refreshers_.push_back([&model, widget] { SetText(widget, model.Caption); });
}

void ControlMirror::Add(const TextBox& model, QLineEdit* widget) {
    refreshers_.push_back([&model, widget] {
        const QString shown = QString::fromStdString(model.Text);
        if (widget->text() != shown) widget->setText(shown);
    });
}

void ControlMirror::Add(const SpinControl& model, UpDownWidget* widget) {
    refreshers_.push_back([&model, widget] {
        widget->Value = model.Value;
        widget->Min = model.Min;
        widget->Max = model.Max;
    });
}

void ControlMirror::Add(const ComboBox& model, QComboBox* widget) {
    refreshers_.push_back([&model, widget] {
        const QSignalBlocker blocker(widget);
        const QStringList entries = Entries(model.Items);
        bool same = widget->count() == entries.size();
        for (int i = 0; same && i < entries.size(); ++i) same = widget->itemText(i) == entries[i];
        if (!same) {
            widget->clear();
            widget->addItems(entries);
        }
        // An index outside the list shows no entry.
        widget->setCurrentIndex(model.ListIndex < widget->count() ? model.ListIndex : -1);
        widget->setEnabled(model.Enabled);
    });
}

void ControlMirror::Add(const CheckBox& model, QCheckBox* widget) {
    refreshers_.push_back([&model, widget] {
        const QSignalBlocker blocker(widget);
        widget->setText(QString::fromStdString(model.Caption));
        widget->setChecked(model.Value == 1);
        widget->setEnabled(model.Enabled);
    });
}

void ControlMirror::Add(const CommandButton& model, QPushButton* widget) {
    refreshers_.push_back([&model, widget] {
        const QString shown = QString::fromStdString(model.Caption);
        if (widget->text() != shown) widget->setText(shown);
        widget->setEnabled(model.Enabled);
    });
}

void ControlMirror::Add(const MenuItem& model, QAction* widget) {
    refreshers_.push_back([&model, widget] {
        const QSignalBlocker blocker(widget);
        const QString shown = QString::fromStdString(model.Caption);
        if (widget->text() != shown) widget->setText(shown);
        // Only a checked entry shows a mark; a click on it must not clear the mark by itself.
        widget->setCheckable(model.Checked);
        widget->setChecked(model.Checked);
    });
}

void ControlMirror::Add(const ScrollBar& model, QScrollBar* widget) {
    refreshers_.push_back([&model, widget] {
        const QSignalBlocker blocker(widget);
        widget->setRange(model.Min, model.Max);
        widget->setValue(model.Value);
    });
}

void ControlMirror::Add(const FileListBox& model, QListWidget* widget) {
    refreshers_.push_back([&model, widget] {
        const QSignalBlocker blocker(widget);
        const QStringList entries = Entries(model.Items);
        bool same = widget->count() == entries.size();
        for (int i = 0; same && i < entries.size(); ++i) same = widget->item(i)->text() == entries[i];
        if (!same) {
            widget->clear();
            widget->addItems(entries);
        }
        if (widget->currentRow() != model.ListIndex) widget->setCurrentRow(model.ListIndex);
    });
}

void ControlMirror::Refresh() const {
    for (const auto& refresh : refreshers_) refresh();
}

}  // namespace editor
