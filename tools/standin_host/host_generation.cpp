#include "host_generation.h"

namespace standin {

int MajorVersionOf(const char16_t* versionText) {
    int major = 0;
    for (const char16_t* at = versionText; *at >= u'0' && *at <= u'9'; ++at) {
        major = major * 10 + (*at - u'0');
        if (major > MAX_MAJOR_VERSION) return MAX_MAJOR_VERSION;
    }
    return major;
}

}  // namespace standin
