#pragma once

namespace moravel {

// Page names of the manual, without the ".htm" extension. Names are matched
// without regard to case by HelpRouter.

// The contents page, opened by "Help Index".
inline constexpr char kContentsTopic[] = "index";
// Pages opened by the three web items of the Help menu.
inline constexpr char kOnlineManualTopic[] = "online_manual";
inline constexpr char kHomepageTopic[] = "homepage";
inline constexpr char kFeatureRequestTopic[] = "feature_request";

// The topics of the "?" help buttons are the window's, with its settings
// pages (PageRegistry.h).

}  // namespace moravel
