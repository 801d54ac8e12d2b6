#include "ui/qt_operator.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <vector>

#include "console/texts.h"
#include "ui/dialog_view.h"
#include "ui/icon.h"

namespace orvia::ui {

namespace {
constexpr char kBoxTitle[] = "Orvia";
}

std::string qtFileFilter(std::string_view filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos) bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) continue;
        std::string patterns = parts[i + 1];
        for (char& c : patterns) {
            if (c == ';') c = ' ';
        }
        if (!out.empty()) out += ";;";
        out += parts[i] + " (" + patterns + ")";
    }
    return out;
}

QtOperator::QtOperator() = default;

QtOperator::~QtOperator() {
    for (const QPointer<DialogView>& view : modeless_)
        delete view.data();
}

QWidget* QtOperator::owner() const {
    if (!modal_.empty()) return modal_.back();
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Question:
            return QMessageBox::Question;
        case MessageKind::Plain:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtOperator::showMessage(MessageKind kind, std::string_view text) {
    QMessageBox box(iconOf(kind), kBoxTitle, QString::fromUtf8(text.data(), text.size()),
                    QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    box.setWindowIcon(applicationIcon());
    box.exec();
}

bool QtOperator::askYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, kBoxTitle, QString::fromUtf8(text.data(), text.size()),
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setTextFormat(Qt::PlainText);
    box.setWindowIcon(applicationIcon());
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtOperator::chooseFile(std::string_view filter,
                                                  std::string_view defaultExtension) {
    QFileDialog dialog(owner());
    dialog.setWindowIcon(applicationIcon());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(QString::fromStdString(qtFileFilter(filter)));
    if (!defaultExtension.empty()) {
        const QString extension =
            QString::fromUtf8(defaultExtension.data(), defaultExtension.size());
        dialog.setDefaultSuffix(extension);
        dialog.selectFile("*." + extension);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

int QtOperator::exec(DialogView& view) {
    return view.exec();
}

int QtOperator::runModal(DialogModel& dialog) {
    dialog.resetEnd();
    // The view exists while the dialog initialises, so that dialogs it opens belong to it.
    DialogView view(dialog, owner());
    views_[&dialog] = &view;
    modal_.push_back(&view);
    dialog.initialise();
    const int code = dialog.ended() ? dialog.endCode() : exec(view);
    modal_.pop_back();
    views_.erase(&dialog);
    return dialog.ended() ? dialog.endCode() : code;
}

bool QtOperator::showModeless(DialogModel& dialog) {
    dialog.initialise();
    // Owned by the dialog that opens it: Qt closes it with that window, before the model that
    // owns its model goes away.
    auto* view = new DialogView(dialog, owner());
    view->setModal(false);
    views_[&dialog] = view;
    QObject::connect(view, &QObject::destroyed, [this, model = &dialog, view] {
        auto it = views_.find(model);
        if (it != views_.end() && it->second == view) views_.erase(it);
    });
    modeless_.emplace_back(view);
    view->show();
    return true;
}

void QtOperator::refresh(DialogModel& dialog) {
    if (DialogView* view = viewOf(dialog)) view->repaint();
}

void QtOperator::setWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtOperator::copyToClipboard(std::string_view text) {
    QApplication::clipboard()->setText(QString::fromUtf8(text.data(), text.size()));
}

DialogView* QtOperator::viewOf(const DialogModel& dialog) const {
    auto it = views_.find(&dialog);
    return it == views_.end() ? nullptr : it->second;
}

}  // namespace orvia::ui
