#include "common/CentreRule.h"

WindowOrigin CentredOrigin(int refLeft, int refTop, int refRight, int refBottom, int width, int height)
{
    return {(refRight - refLeft) / 2 + refLeft - width / 2, (refBottom - refTop) / 2 + refTop - height / 2};
}
