// Answers the modal windows a test opens: message boxes, the save dialog, the colour chooser.
#pragma once

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tess::testing
{

// Runs fn on each modal window that shows up until it returns true, polling every 10 ms for
// up to five seconds.
inline void whenModal(std::function<bool(QWidget *)> fn)
{
    auto *timer = new QTimer;
    auto *tries = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, fn] {
        QWidget *m = QApplication::activeModalWidget();
        if ((m && m->isVisible() && fn(m)) || ++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            delete tries;
        }
    });
    timer->start(10);
}

// What a message box showed before it was answered.
struct Shown {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
    // What Enter would have answered.
    QMessageBox::StandardButton byEnter = QMessageBox::NoButton;
};

// Answers the next message box that has the given button and records it.
inline void answerBox(Shown *shown, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    whenModal([shown, button](QWidget *m) {
        auto *box = qobject_cast<QMessageBox *>(m);
        if (!box)
            return false;
        // A box without the button is someone else's to answer.
        QAbstractButton *b = box->button(button);
        if (!b)
            return false;
        shown->title = box->windowTitle();
        shown->text = box->text();
        shown->icon = box->icon();
        shown->byEnter =
            box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        ++shown->count;
        b->click();
        return true;
    });
}

// Answers the next n message boxes that have an OK button, in the order they show, recording each.
inline void answerBoxes(QList<Shown> *shown, int n)
{
    whenModal([shown, n](QWidget *m) {
        auto *box = qobject_cast<QMessageBox *>(m);
        QAbstractButton *ok = box ? box->button(QMessageBox::Ok) : nullptr;
        if (!ok)
            return false;
        shown->append({box->windowTitle(), box->text(), box->icon(), 1});
        ok->click();
        return shown->size() >= n;
    });
}

// Types a path into the next save dialog and accepts it; an empty path cancels instead.
// When `overwrite` is set, the dialog's question about an existing file is expected and
// answered with it, and what it asked goes to `asked`.
inline void answerSaveDialog(const QString &path, QString *proposed = nullptr, QStringList *filters = nullptr,
                             QMessageBox::StandardButton overwrite = QMessageBox::NoButton,
                             Shown *asked = nullptr)
{
    whenModal([=](QWidget *m) {
        auto *dlg = qobject_cast<QFileDialog *>(m);
        if (!dlg)
            return false;
        auto *edit = dlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (proposed)
            *proposed = edit ? edit->text() : QString();
        if (filters)
            *filters = dlg->nameFilters();
        if (path.isEmpty()) {
            dlg->reject();
            return true;
        }
        edit->setText(path);
        if (overwrite != QMessageBox::NoButton) {
            // The question opens inside the key press, so its answer is set up first.
            answerBox(asked, overwrite);
        }
        QTest::keyClick(edit, Qt::Key_Return);
        return true;
    });
}

} // namespace tess::testing
