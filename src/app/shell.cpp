#include "app/shell.h"

#include "app/commands.h"

namespace ses {

namespace {

const QString kProjectNameRequired =
    QStringLiteral("Заполнение поля \"Наименование проекта\" обязательно.");

// Clears the redraw flag for the length of an operation that moves through many rows.
class RedrawPause {
public:
    explicit RedrawPause(bool& flag) : m_flag(flag) { m_flag = false; }
    ~RedrawPause() { m_flag = true; }

private:
    bool& m_flag;
};

} // namespace

QString projectFieldsError(const ProjectFields& f) {
    if (f.name.trimmed().isEmpty())
        return kProjectNameRequired;
    if (f.name.size() > 255)
        return QStringLiteral("Наименование проекта не должно быть длиннее 255 символов.");
    if (f.owner.size() > 50)
        return QStringLiteral("Имя владельца проекта не должно быть длиннее 50 символов.");
    return {};
}

ProjectFields Shell::newProjectFields() const {
    ProjectFields f;
    f.name = proposedProjectName(m_dm.tblProj0().recordCount());
    f.date = QDate::currentDate();
    const QTime now = QTime::currentTime();
    f.time = QTime(now.hour(), now.minute(), now.second());
    return f;
}

ProjectFields Shell::currentProjectFields() {
    View& p = m_dm.tblProj0();
    ProjectFields f;
    if (p.isEmpty())
        return f;
    f.name = p[QStringLiteral("Name")].asString();
    f.owner = p[QStringLiteral("ProjOwner")].asString();
    f.date = p[QStringLiteral("ProjDate")].asDateTime().date();
    f.time = p[QStringLiteral("ProjTime")].asDateTime().time();
    f.memo = p[QStringLiteral("ProjMemo")].asString();
    return f;
}

bool Shell::writeProject(const ProjectFields& f) {
    const QString error = projectFieldsError(f);
    View& p = m_dm.tblProj0();
    if (!error.isEmpty()) {
        p.cancel();
        m_prompter.error(error);
        return false;
    }
    p[QStringLiteral("Name")].setString(f.name);
    p[QStringLiteral("ProjOwner")].setString(f.owner);
    p[QStringLiteral("ProjDate")].setValue(f.date);
    p[QStringLiteral("ProjTime")].setValue(f.time);
    p[QStringLiteral("ProjMemo")].setString(f.memo);
    if (!p.post()) {
        p.cancel();
        return false;
    }
    return true;
}

bool Shell::createProject(const ProjectFields& f) {
    if (!m_dm.tblProj0().append())
        return false;
    return writeProject(f);
}

bool Shell::editProject(const ProjectFields& f) {
    View& p = m_dm.tblProj0();
    if (p.isEmpty() || !p.edit())
        return false;
    return writeProject(f);
}

bool Shell::deleteProject() {
    View& p = m_dm.tblProj0();
    if (p.isEmpty() ||
        !m_prompter.question(QStringLiteral("Удалить проект вместе со всеми вариантами расчетов?")))
        return false;
    RedrawPause pause(m_redraw);
    return p.remove();
}

bool Shell::deleteVariant() {
    View& v = m_dm.tblProj1();
    if (v.isEmpty() || !m_prompter.question(QStringLiteral("Удалить вариант расчета?")))
        return false;
    RedrawPause pause(m_redraw);
    return v.remove();
}

bool Shell::runCopy(ProgressSink* progress, int maximum,
                    const std::function<int(const ProgressStep&)>& copy, View& view) {
    if (progress)
        progress->start(maximum);
    bool done = false;
    try {
        const int kod = copy([progress] {
            if (progress)
                progress->step();
        });
        view.refresh();
        view.locate(QStringLiteral("Kod"), kod);
        done = true;
    } catch (const DbError& e) {
        // The copy ran in one transaction: nothing of it is left in the tables.
        m_prompter.error(QStringLiteral("Копирование не выполнено: ") + e.message());
    }
    if (progress)
        progress->finish();
    return done;
}

bool Shell::copyVariant(ProgressSink* progress) {
    View& v = m_dm.tblProj1();
    if (v.isEmpty())
        return false;
    RedrawPause pause(m_redraw);
    const auto name = m_prompter.textInput(
        QStringLiteral("Сохранить как..."), QStringLiteral("Наименование варианта:"),
        proposedCopyName(v[QStringLiteral("VarName")].asString()));
    if (!name)
        return false;
    const int maximum = m_dm.tblProj_Mas().recordCount() + m_dm.tblProj_Inv().recordCount() +
                        m_dm.tbl(QStringLiteral("proj_graf12_0")).recordCount() + 18;
    const int variantKod = v.currentKey().toInt();
    const int projectKod = m_dm.tblProj0().currentKey().toInt();
    Store& store = m_dm.store();
    return runCopy(
        progress, maximum,
        [&](const ProgressStep& step) {
            return ses::copyVariant(store, variantKod, projectKod, *name, step);
        },
        v);
}

bool Shell::copyProject(ProgressSink* progress) {
    View& p = m_dm.tblProj0();
    if (p.isEmpty())
        return false;
    RedrawPause pause(m_redraw);
    const auto name = m_prompter.textInput(QStringLiteral("Сохранить как..."),
                                           QStringLiteral("Наименование проекта:"),
                                           proposedCopyName(p[QStringLiteral("Name")].asString()));
    if (!name)
        return false;
    if (name->trimmed().isEmpty()) {
        m_prompter.error(kProjectNameRequired);
        return false;
    }
    const int maximum = m_dm.tblProj1().recordCount() + 17;
    const int projectKod = p.currentKey().toInt();
    Store& store = m_dm.store();
    return runCopy(
        progress, maximum,
        [&](const ProgressStep& step) { return ses::copyProject(store, projectKod, *name, step); },
        p);
}

} // namespace ses
