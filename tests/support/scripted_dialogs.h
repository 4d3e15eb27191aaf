#pragma once
#include <deque>
#include <string>
#include <vector>

#include "ui/dialogs.h"

// Dialogs whose answers a test sets up in advance and whose messages it reads.
class ScriptedDialogs : public Dialogs {
public:
    struct Prompt {
        std::string caption, prompt;
        bool masked;
    };

    std::vector<std::string> messages;
    std::vector<MessageKind> kinds;      // of each message
    std::vector<std::string> questions;  // asked and offered actions, in order
    std::deque<bool> questionAnswers;    // Yes; Cancel after the queue runs dry
    std::deque<bool> actionAnswers;      // the action chosen; OK after the queue runs dry
    std::vector<Prompt> prompts;
    std::deque<std::string> textAnswers;                 // "" after the queue runs dry: Cancel
    std::deque<std::vector<std::string>> openAnswers;    // file-open choices
    std::deque<std::string> saveAnswers, folderAnswers, pictureAnswers;
    std::vector<std::string> folderStarts, saveProposals;

    using Dialogs::showMessage;
    void showMessage(const std::string& text, MessageKind kind) override {
        messages.push_back(text);
        kinds.push_back(kind);
    }
    bool ask(const std::string& question) override {
        questions.push_back(question);
        return next(questionAnswers);
    }
    bool offerAction(const std::string& text, const std::string& actionCaption) override {
        questions.push_back(text + " [" + actionCaption + "]");
        return next(actionAnswers);
    }

    bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) override {
        prompts.push_back({caption, prompt, masked});
        if (textAnswers.empty()) return false;
        text = textAnswers.front();
        textAnswers.pop_front();
        return true;
    }
    std::vector<std::string> chooseOpenFiles(const std::string&, bool) override { return next(openAnswers); }
    std::string chooseSaveFile(const std::string&, const std::string&, const std::string& proposedName) override {
        saveProposals.push_back(proposedName);
        return next(saveAnswers);
    }
    std::string chooseFolder(const std::string& startFolder) override {
        folderStarts.push_back(startFolder);
        return next(folderAnswers);
    }
    std::string choosePicture(const std::string&) override { return next(pictureAnswers); }

private:
    template <typename T>
    static T next(std::deque<T>& queue) {
        if (queue.empty()) return T{};
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};
