// Orders: report printing.
#pragma once

void PrintReport(const char* title, int copies, int limit);
void PrintLine(const char* rule, int width);
