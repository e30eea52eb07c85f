#pragma once

#include <cstdio>

#include "app/shared/ResultText.h"
#include "engineering/Catalogue.h"
#include "engineering/Request.h"

namespace velmarith::tool {

struct OneShotOptions {
    engineering::RequestText request;
    OutputOptions output;
    bool json = false;  // one JSON document instead of the lines
};

// One calculation, printed: the lines on out, a message on err, the exit status. With json,
// the document on out (the same lines inside it), the message on err as well.
int RunOneShot(const engineering::Catalogue& catalogue, const OneShotOptions& options,
               std::FILE* out, std::FILE* err);

}  // namespace velmarith::tool
