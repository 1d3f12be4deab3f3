#pragma once

#include "Environment.h"

namespace fontlathe {

using FontAsker = std::function<std::optional<FontChoice>(QWidget*, const FontChoice&)>;

// The Add Letters dialog of the real desktop: the choices, and below them the table that plan
// works out for them, again whenever one changes. A font to draw with comes from askFont.
std::optional<AddLettersChoices> RunAddLettersDialog(QWidget* parent,
                                                     const AddLettersChoices& initial,
                                                     const AddLettersPlanner& plan,
                                                     const FontAsker& askFont);

} // namespace fontlathe
