#pragma once
// The project and variant operations of the main window, without the window: questions and
// messages go through the Prompter, the progress through a ProgressSink, so that every path is
// tested without a display.

#include "data/data_module.h"
#include "data/record_copy.h"

#include <QDate>
#include <QTime>

namespace ses {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void start(int maximum) = 0;
    virtual void step() = 0;
    virtual void finish() = 0; // fill, then back to 0
};

struct ProjectFields {
    QString name, owner;
    QDate date;
    QTime time;
    QString memo;
};

// The project dialog's refusal of its fields, or an empty text when they can be saved.
QString projectFieldsError(const ProjectFields& f);

class Shell {
public:
    Shell(TDataModule1& dm, Prompter& prompter) : m_dm(dm), m_prompter(prompter) {}

    TDataModule1& dm() { return m_dm; }
    // While false, a change of the current variant does not redraw the scheme pane.
    bool redrawFlag() const { return m_redraw; }

    ProjectFields newProjectFields() const; // "Проект N", today, now
    ProjectFields currentProjectFields();
    bool createProject(const ProjectFields& f);
    bool editProject(const ProjectFields& f);
    bool deleteProject();                     // asks first
    bool copyProject(ProgressSink* progress); // asks for the name
    bool deleteVariant();                     // asks first
    bool copyVariant(ProgressSink* progress); // asks for the name

private:
    bool writeProject(const ProjectFields& f);
    bool runCopy(ProgressSink* progress, int maximum,
                 const std::function<int(const ProgressStep&)>& copy, View& view);

    TDataModule1& m_dm;
    Prompter& m_prompter;
    bool m_redraw = true;
};

} // namespace ses
