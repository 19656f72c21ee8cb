#include "platform/services.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <vector>

#include "platform/cp1252.h"

namespace trevanor {

namespace {

constexpr int kFocusSettleMs = 150;

QString box_text(const std::string& text) {
    QString t = fromCp1252(text);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

// Closing a box gives the focus back to the window under it; under X11
// (Wine's too) that news comes a moment later, and a window shown after the
// box in the meantime lost the focus to it (the particulars, which close
// when they lose it, vanished). What follows a box waits for it.
void give_focus_back(QWidget* under) {
    if (!under || !under->isVisible()) return;
    under->activateWindow();
    QEventLoop settle;
    QTimer::singleShot(kFocusSettleMs, &settle, &QEventLoop::quit);
    settle.exec(QEventLoop::ExcludeUserInputEvents);
}

// Enter answers with `first`, the box's first button: never one that changes
// a setting (Qt would choose by the platform's order: Ignore on Windows).
QMessageBox::StandardButton show_box(QMessageBox::Icon icon, const std::string& text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton first) {
    const QPointer<QWidget> under = QApplication::activeWindow();
    QMessageBox box(icon, QCoreApplication::applicationName(), box_text(text), buttons, under);
    box.setDefaultButton(first);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    give_focus_back(under);
    return answer;
}

}  // namespace

void QtPrompter::message(const std::string& text) {
    show_box(QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}
void QtPrompter::error(const std::string& text) {
    show_box(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}
void QtPrompter::warning(const std::string& text) {
    show_box(QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

Answer QtPrompter::confirm(const std::string& text, bool withIgnore) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withIgnore) buttons |= QMessageBox::Ignore;
    switch (show_box(QMessageBox::Question, text, buttons, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return Answer::No;
    }
}

QString qt_filter(const QString& filter) {
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0) return filter;
    const QString description = filter.left(bar);
    QStringList patterns = filter.mid(bar + 1).split(u';', Qt::SkipEmptyParts);
#ifndef Q_OS_WIN
    for (const QString& p : QStringList(patterns))
        if (p.toLower() != p) patterns << p.toLower();
#endif
    return description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QString QtFileChooser::open(QWidget* parent, const QString& filter, const QString& directory, const QString& title) {
    return QFileDialog::getOpenFileName(parent, title, directory, qt_filter(filter));
}

QStringList QtFileChooser::openMany(QWidget* parent, const QString& filter, const QString& directory,
                                    const QString& title) {
    return QFileDialog::getOpenFileNames(parent, title, directory, qt_filter(filter));
}

QString QtFileChooser::save(QWidget* parent, const QString& filter, const QString& directory, const QString& name) {
    return QFileDialog::getSaveFileName(parent, QString(), QDir(directory).filePath(name), qt_filter(filter));
}

QString folder_of(const std::string& path) {
    const QString text = path_text(path).trimmed();
    if (text.isEmpty()) return {};
    return QFileInfo(text).absolutePath();
}

QString open_map_folder(const Session& session) {
    return session.Map_name.empty() ? QString() : folder_of(session.Autoload_map_file);
}

void return_large_blocks_to_system() {
#ifdef __GLIBC__
    // A fixed threshold: glibc would otherwise raise it to the largest block
    // freed, and serve later pictures from a heap it never gives back.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

namespace {
bool tahomaTwin = false;
}  // namespace

// Tahoma from the system where it lists it; else the copy installed beside the
// program (fonts/, Wine's metric twin), or on Linux the one of Debian's fonts-wine.
bool provide_tahoma() {
    const auto known = [] { return QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive); };
    if (known()) return true;
    QStringList folders{QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/")};
#ifndef Q_OS_WIN
    folders << QStringLiteral("/usr/share/wine/fonts/");
#endif
    for (const QString& folder : folders) {
        if (QFileInfo::exists(folder + QStringLiteral("tahoma.ttf")))
            QFontDatabase::addApplicationFont(folder + QStringLiteral("tahoma.ttf"));
        if (known()) {
            tahomaTwin = true;
            return true;
        }
    }
    return false;
}

void suit_fonts_to_tahoma_twin() {
#ifdef Q_OS_WIN
    if (!tahomaTwin) return;
    const auto outlined = [](QFont font) {
        font.setHintingPreference(QFont::PreferVerticalHinting);
        return font;
    };
    // Those Windows gives menus, message boxes, tool tips and the like first:
    // setting the application's font drops them.
    std::vector<std::pair<const char*, QFont>> kinds;
    for (const char* kind : {"QMenu", "QMenuBar", "QMessageBox", "QTipLabel", "QStatusBar", "QMdiSubWindowTitleBar",
                             "QDockWidgetTitle", "QAbstractItemView"})
        kinds.emplace_back(kind, outlined(QApplication::font(kind)));
    QApplication::setFont(outlined(QApplication::font()));
    for (const auto& [kind, font] : kinds) QApplication::setFont(font, kind);
#endif
}

namespace {

// Windows' frame for a fixed size (no resizing edge, no maximise button);
// the flags change on the window as it is, before it appears.
class FixedSizeFrames : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* w = e->type() == QEvent::Show ? qobject_cast<QWidget*>(watched) : nullptr;
        if (!w || !w->isWindow() || w->minimumSize() != w->maximumSize()) return false;
        const Qt::WindowFlags flags = w->windowFlags() | Qt::MSWindowsFixedSizeDialogHint;
        if (flags == w->windowFlags()) return false;
        w->overrideWindowFlags(flags);
        if (QWindow* window = w->windowHandle()) window->setFlags(flags);
        return false;
    }
};

}  // namespace

void keep_fixed_sizes_fixed(QApplication& app) { app.installEventFilter(new FixedSizeFrames(&app)); }

QString QtClipboard::text() const { return QGuiApplication::clipboard()->text(); }
void QtClipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

#ifdef Q_OS_WIN
std::string path_bytes(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }
QString path_text(const std::string& path) { return QDir::toNativeSeparators(QString::fromStdString(path)); }
#else
std::string path_bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString path_text(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
#endif

}  // namespace trevanor
