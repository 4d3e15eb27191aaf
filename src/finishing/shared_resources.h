#pragma once
#include "structure/structure_request.h"

class StructureSources;

// Whether a page of the output may hold fonts and pictures its content does
// not draw. PDFium copies a page's resource dictionary whole, so that happens
// where pages of an input share one (inherited from the page tree, one object
// or one sub-dictionary named by several pages, or a form drawing with its
// page's resources). True also for pages from an input libqpdf cannot read.
// Each input is looked at once per job, through sources.
bool mayHoldUnusedResources(const StructureRequest& request, StructureSources& sources);
