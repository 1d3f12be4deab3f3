#pragma once

#include "Environment.h"

namespace fontlathe {

using FontAsker = std::function<std::optional<FontChoice>(QWidget*, const FontChoice&)>;
using FileAsker = std::function<QString(QWidget*)>;

// The Add Letters dialog of the real desktop: the choices, and below them the table that plan
// works out for them, again whenever one changes. A font to draw with comes from askFont, a
// mapping file as the target page from askFile; "Save Picture..." calls save.
std::optional<AddLettersChoices> RunAddLettersDialog(QWidget* parent,
                                                     const AddLettersChoices& initial,
                                                     const AddLettersPlanner& plan,
                                                     const FontAsker& askFont,
                                                     const FileAsker& askFile,
                                                     const AddLettersPictureSaver& save);

} // namespace fontlathe
