#ifndef MERID_OUTPUT_WARNING_TEXT_H_
#define MERID_OUTPUT_WARNING_TEXT_H_

// A design warning in words, with its figures.

#include <string>

#include "base/amplifier_options.h"
#include "calc/design_warnings.h"
#include "text/language.h"

namespace merid {

std::string warning_text(const DesignWarning& w,
                         const AmplifierOptions& options, Language language);

}  // namespace merid

#endif  // MERID_OUTPUT_WARNING_TEXT_H_
