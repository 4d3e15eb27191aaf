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
    std::vector<Prompt> prompts;
    std::deque<std::string> textAnswers;                 // "" after the queue runs dry: Cancel
    std::deque<std::vector<std::string>> openAnswers;    // file-open choices
    std::deque<std::string> saveAnswers, folderAnswers, pictureAnswers;
    std::vector<std::string> folderStarts, saveProposals;

    void showMessage(const std::string& text) override { messages.push_back(text); }

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
