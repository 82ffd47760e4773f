#pragma once

#include <QString>

// The sample categories of "faqkb init --demo": a small customer-service tree over all three
// levels, written into a freshly made knowledge base.
namespace demo {

struct Category
{
    const char *code;
    const char *name;
};

// The sample categories in code order; the level and parent follow from the code.
const Category *categories(int *count);

void fill(const QString &applicationFolder);

} // namespace demo
