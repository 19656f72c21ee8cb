#include "forms/forms_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>

#include "platform/cp1252.h"
#include "support/report_lines.h"

namespace trevanor::test {

const std::string kMap =
    "#\tX\tY\tName\r\n"
    "1\t1100\t1200\tZeta Prime\r\n"
    "2\t1300\t1400\tAmber\r\n"
    "3\t1500\t1600\tCoral Reach\r\n";

const std::string kOtherMap = "#\tX\tY\tName\r\n1\t1050\t1050\tLone\r\n";

std::string report() {
    const auto line = [](const std::string& name, const std::string& x, const std::string& y, const std::string& planet,
                         const std::string& owner, const std::string& task) {
        return fleet_line({{0, name}, {1, x}, {2, y}, {3, planet}, {4, planet}, {12, owner}, {19, task}}) + "\r\n";
    };
    return kFleetHeading + "\r\n" + line("Vorlani Scout #1", "1100", "1200", "Zeta Prime", "1", "Scout") +
           line("Vorlani Hauler #2", "1300", "1400", "Amber", "1", "Transport") +
           line("Kesh Raider #5", "1500", "1600", "Coral Reach", "3", "") +
           line("Umbral Eye #7", "1234", "1456", "", "12", "");
}

// Every first report read asks whether to read it with the MAP from now on;
// tests that care answer it themselves.
Program::Program() {
    prompter.standing.emplace_back("It is very recommended that first report is own report.", Answer::No);
    start();
}

Program::~Program() { app.reset(); }

void Program::start() {
    store = std::make_unique<QtSettingsBackend>(dir_.filePath(QStringLiteral("settings/Trevanor.conf")));
    app = std::make_unique<Application>(*store, prompter, files, clipboard);
    app->dataFolder = dir_.filePath(QStringLiteral("data"));  // the kept turns
    app->settings.onFatal = [] { throw RegistryFatal(); };
    app->start();
}

void Program::quit() {
    main().close();
    app.reset();
}

QString Program::write(const QString& name, const std::string& bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.fileName();
}

void Program::openWith(const char* item, const QString& file) {
    files.answers.push_back(file);
    action(item)->trigger();
}

void Program::answerOwnRace(const QString& choice) {
    ownRaceChoice_ = choice;
    app->ownRace()->runModal = [this](TOwn_race_Fm& w) {
        OwnRaceSeen seen;
        for (int i = 0; i < w.Own_CBx->count(); ++i) seen.items << w.Own_CBx->itemText(i);
        seen.selected = w.Own_CBx->currentText();
        seen.okEnabled = w.Button1->isEnabled();
        ownRaceSeen.push_back(seen);
        if (ownRaceChoice_.isEmpty()) return;
        w.Own_CBx->setCurrentIndex(w.Own_CBx->findText(ownRaceChoice_));
        w.Button1->click();
    };
}

std::vector<std::string> Program::messages(const char* kind) const {
    std::vector<std::string> out;
    for (const auto& m : prompter.shown)
        if (m.kind == kind) out.push_back(m.text);
    return out;
}

std::int32_t Program::storedInt(const std::string& key, const std::string& name) { return store->readInt(key, name); }
std::string Program::storedText(const std::string& key, const std::string& name) { return store->readText(key, name); }

}  // namespace trevanor::test
