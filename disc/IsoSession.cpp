#include "DiscError.h"
#include "DiscTexts.h"
#include "IsoSession_p.h"
#include "engine/ImageEntry.h"

#include <cstdlib>

namespace platterwise::detail {

std::mutex& LibisofsMutex() {
    static std::mutex mutex;
    return mutex;
}

void InitLibisofs() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (iso_init() < 0) {
            throw TDiscError("libisofs could not be started");
        }
        // Names are UTF-8 bytes, as xorriso reads them with -input-charset UTF-8.
        char charset[] = "UTF-8";
        iso_set_local_charset(charset, 0);
        // Results come back as return codes; nothing is printed or queued.
        char never[] = "NEVER";
        char prefix[] = "";
        iso_set_msgs_severities(never, never, prefix);
    });
}

std::int64_t SizeOf(IsoImage* image, const TImageOptions& options) {
    const IsoWriteOptsPtr opts = MakeIsoWriteOpts(options);
    burn_source* source = nullptr;
    const int result = iso_image_create_burn_source(image, opts.get(), &source);
    if (result < 0) {
        throw TDiscError("The image" + std::string(texts::kLibisofsFailed) +
                         iso_error_to_msg(result));
    }
    const off_t bytes = source->get_size(source);
    source->cancel(source);
    source->free_data(source);
    std::free(source);
    return std::int64_t(bytes) / kSectorBytes;
}

IsoImagePtr MakeIsoImage(const TImageOptions& options) {
    IsoImage* raw = nullptr;
    // xorriso's label when -V is not given.
    const std::string label = options.VolumeId.empty() ? "ISOIMAGE" : options.VolumeId;
    const int result = iso_image_new(label.c_str(), &raw);
    if (result < 0) {
        throw TDiscError("The image" + std::string(texts::kLibisofsFailed) +
                         iso_error_to_msg(result));
    }
    return IsoImagePtr(raw);
}

} // namespace platterwise::detail
