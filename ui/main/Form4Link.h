// The channel settings dialog as the incoming traffic sees it.
#pragma once

#include "ui/dialogs/TForm4.h"
#include "ui/main/TForm1.h"

namespace morva {

// Hands the replies the main window routes to the channel settings dialog on to TForm4, which lives in the
// dialogs' layer and knows nothing of the main window. Holds the dialog without owning it; it must not outlive
// the dialog. UI thread only.
class Form4Link : public ChannelSettingsLink
{
public:
    explicit Form4Link(TForm4& form) : m_form(form) {}

    bool isShowing() const override { return m_form.isShowing(); }
    void topicLoaded(const std::string& topic) override { m_form.topicLoaded(topic); }
    void modesLoaded(const std::string& modes) override { m_form.modesLoaded(modes); }
    void banLoaded(const std::string& mask) override { m_form.banLoaded(mask); }

private:
    TForm4& m_form;
};

} // namespace morva
