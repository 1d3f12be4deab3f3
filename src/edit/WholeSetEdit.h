#pragma once

#include "EditStep.h"

namespace fontlathe {

// A change of the whole set, pixels, header and all (Generate, Import Sheet): the one kind of
// step that keeps a whole set.
class WholeSetEdit : public EditStep {
public:
    // Keeps a copy of the set as it is now; the copy shares the rasters until they are replaced.
    WholeSetEdit(QString text, const Charset& set);

    void Swap(Charset& set) override;
    bool Differs(const Charset& set) const override;
    std::size_t Cost() const override;

private:
    Charset set_;
};

} // namespace fontlathe
