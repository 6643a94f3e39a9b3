#include "cli/Verb.h"

namespace vargis::cli {

void addTicketVerbs(Verbs& verbs) {
    (void)verbs;
}

} // namespace vargis::cli
