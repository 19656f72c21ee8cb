#include "platform/services.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/cp1252.h"

namespace trevanor {

namespace {

QString box_text(const std::string& text) {
    QString t = fromCp1252(text);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QMessageBox::StandardButton show_box(QMessageBox::Icon icon, const std::string& text,
                                     QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QCoreApplication::applicationName(), box_text(text), buttons,
                    QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void QtPrompter::message(const std::string& text) { show_box(QMessageBox::NoIcon, text, QMessageBox::Ok); }
void QtPrompter::error(const std::string& text) { show_box(QMessageBox::Critical, text, QMessageBox::Ok); }
void QtPrompter::warning(const std::string& text) { show_box(QMessageBox::Warning, text, QMessageBox::Ok); }

Answer QtPrompter::confirm(const std::string& text, bool withIgnore) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withIgnore) buttons |= QMessageBox::Ignore;
    switch (show_box(QMessageBox::Question, text, buttons)) {
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
        for (const char* file : {"tahoma.ttf", "tahomabd.ttf"})
            if (QFileInfo::exists(folder + QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(folder + QString::fromLatin1(file));
        if (known()) return true;
    }
    return false;
}

QString QtClipboard::text() const { return QGuiApplication::clipboard()->text(); }
void QtClipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

std::string path_bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString path_text(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace trevanor
