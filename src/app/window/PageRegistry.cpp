#include "app/window/PageRegistry.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <stdexcept>
#include <string>

namespace moravel {

namespace {

QString qName(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

QAbstractButton* helpButton(const QWidget& window, std::string_view name) {
    auto* button = window.findChild<QAbstractButton*>(qName(name));
    if (button == nullptr) throw std::logic_error("The help button " + std::string(name) + " is not in the window");
    return button;
}

// Button and topic of every "?" button: the pages' in tab order, then the plots'.
std::vector<std::pair<std::string_view, std::string_view>> helpRows() {
    std::vector<std::pair<std::string_view, std::string_view>> rows;
    for (const SettingsPageEntry& page : kSettingsPages) {
        if (!page.helpButton.empty()) rows.emplace_back(page.helpButton, page.helpTopic);
    }
    rows.insert(rows.end(), std::begin(kPlotHelpButtons), std::end(kPlotHelpButtons));
    return rows;
}

}  // namespace

void ArrangePages(QTabWidget& tabs) {
    if (tabs.count() != static_cast<int>(std::size(kSettingsPages)))
        throw std::logic_error("The window has " + std::to_string(tabs.count()) + " settings pages, the table " +
                               std::to_string(std::size(kSettingsPages)));
    for (int i = 0; i < tabs.count(); ++i) {
        const SettingsPageEntry& page = kSettingsPages[i];
        if (tabs.widget(i)->objectName() != qName(page.sheet))
            throw std::logic_error("Settings page " + std::to_string(i) + " is " +
                                   tabs.widget(i)->objectName().toStdString() + ", the table says " +
                                   std::string(page.sheet));
        tabs.setTabVisible(i, page.shown);
    }
}

QStringList HelpButtonTopics() {
    QStringList topics;
    for (const auto& [button, topic] : helpRows()) topics << qName(topic);
    return topics;
}

std::vector<std::pair<QAbstractButton*, QString>> HelpButtons(const QWidget& window) {
    std::vector<std::pair<QAbstractButton*, QString>> buttons;
    for (const auto& [button, topic] : helpRows()) buttons.emplace_back(helpButton(window, button), qName(topic));
    return buttons;
}

}  // namespace moravel
