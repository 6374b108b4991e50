#pragma once

#include <QStringList>

namespace moravel {

// Page names of the manual, without the ".htm" extension. Names are matched
// without regard to case by HelpRouter.

// The contents page, opened by "Help Index".
inline constexpr char kContentsTopic[] = "index";
// Pages opened by the three web items of the Help menu.
inline constexpr char kOnlineManualTopic[] = "online_manual";
inline constexpr char kHomepageTopic[] = "homepage";
inline constexpr char kFeatureRequestTopic[] = "feature_request";

// The topics of the "?" help buttons, in the order of the settings pages
// followed by the two plots.
const QStringList& HelpButtonTopics();

}  // namespace moravel
