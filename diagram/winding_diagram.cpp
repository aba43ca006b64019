#include "diagram/winding_diagram.h"

// Placeholder until the diagram is drawn: nothing is painted yet.
void paintWindingDiagram(QPainter&, const std::vector<std::string>&, int, int, float) {}
