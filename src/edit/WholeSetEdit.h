#pragma once

#include "EditStep.h"

namespace fontlathe {

// A change of the whole set, pixels, header and all (Generate, Import Sheet): the one kind of
// step that keeps a whole set.
class WholeSetEdit : public EditStep {
public:
    WholeSetEdit(QString text, Charset before);

    void Swap(Charset& set) override;
    std::size_t Cost() const override;

private:
    Charset set_;
};

} // namespace fontlathe
