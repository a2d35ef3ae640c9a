// The shared modal boxes: the text prompt, the message box and the error box.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace morva {

// The text prompt: caption, a prompt line, an edit field filled with defaultText, "OK" and "Cancel". Returns the
// edited text on "OK" and defaultText on "Cancel" (or when the box is closed). Texts are Windows-1251.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText,
                     QWidget* parent = nullptr);

// An information box with "OK" and an error box; both modal. Texts are Windows-1251.
void ShowMessage(const std::string& text, QWidget* parent = nullptr);
void ShowError(const std::string& text, QWidget* parent = nullptr);

// What tests put in place of the boxes; an empty function brings the real box back. UI thread only.
struct PromptHooks
{
    std::function<std::string(const std::string& caption, const std::string& prompt, const std::string& defaultText)>
        input;
    std::function<void(const std::string& text, bool error)> message;
};
void setPromptHooks(PromptHooks hooks);

// Replaces the boxes for as long as it lives (tests).
class ScopedPromptHooks
{
public:
    explicit ScopedPromptHooks(PromptHooks hooks) { setPromptHooks(std::move(hooks)); }
    ~ScopedPromptHooks() { setPromptHooks({}); }
    ScopedPromptHooks(const ScopedPromptHooks&) = delete;
    ScopedPromptHooks& operator=(const ScopedPromptHooks&) = delete;
};

} // namespace morva
