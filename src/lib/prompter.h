#pragma once
// Everything the user must be told goes through a Prompter: the application shows message boxes,
// the tests and the command-line tools record the texts and answer questions from a script.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace ses {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void error(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString& text) = 0;
    // A line of text; nullopt when the user cancels.
    virtual std::optional<QString> textInput(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;
};

// Records every text; answers questions and text inputs from scripted queues (No / cancel once
// the queue is empty).
class RecordingPrompter : public Prompter {
public:
    enum class Kind { Error, Information, Question, TextInput };
    struct Entry {
        Kind kind;
        QString text;
    };

    void error(const QString& text) override { m_entries.push_back({Kind::Error, text}); }
    void information(const QString& text) override {
        m_entries.push_back({Kind::Information, text});
    }
    bool question(const QString& text) override {
        m_entries.push_back({Kind::Question, text});
        if (m_answers.empty())
            return false;
        const bool a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    std::optional<QString> textInput(const QString&, const QString& prompt,
                                     const QString&) override {
        m_entries.push_back({Kind::TextInput, prompt});
        if (m_texts.empty())
            return std::nullopt;
        auto t = m_texts.front();
        m_texts.pop_front();
        return t;
    }

    void answer(bool yes) { m_answers.push_back(yes); }
    void type(const QString& text) { m_texts.push_back(text); }
    const std::vector<Entry>& entries() const { return m_entries; }
    QStringList texts() const {
        QStringList r;
        for (const auto& e : m_entries)
            r << e.text;
        return r;
    }
    QString last() const { return m_entries.empty() ? QString() : m_entries.back().text; }
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
    std::deque<bool> m_answers;
    std::deque<QString> m_texts;
};

} // namespace ses
