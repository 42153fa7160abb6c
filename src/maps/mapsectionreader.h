#pragma once

#include "text/status.h"

#include "config/linelist.h"
#include "maps/mapset.h"

// The map definitions of a configuration: the [Free Map] section (maps laid out one after
// another in the free-map area of the image) and the [Config Map] section (maps at explicit
// addresses, or with fixed axis labels). Both start with the line "start,end,third" of three
// hexadecimal addresses, followed by map blocks of a header line ("name,type,unused[,extra]")
// and three axis lines ("name,min,max,toPhysical,toRaw[,inputMin,inputMax]") for Z, X and Y.
namespace qmx::maps {

// Reads the [Free Map] section into `maps` (which should be empty), placing each map from the
// count bytes it finds in the image at the running cursor. Reading stops at the first block
// that cannot be read: a header without a name or with a type other than "0" or "1", an axis
// line with an empty one of its first five fields, or a map that would run past 0xFFFF.
// Returns 0, MapAddressWrong (1523) for a bad address line, or FreeMapFormatError (1515) when
// not even the first block could be read.
text::Status readFreeMapSection(const config::CLineList& lines, MapSet& maps);

// Reads the [Config Map] section into `maps`. After the four definition lines a block has a Z
// and an X line, both in address form ("z|x,address,elementSize,count,step"; kind Addressed)
// or both in label form ("count,label,...,label"; kind Labelled), then optionally a Y line
// ("y,address,resolution") that moves the running data address and gives the Y step and the
// map's own display decimals. Counts above 255 and values past 0xFFFF make a block
// unreadable. Returns 0, MapAddressWrong (1523), or ConfigMapFormatError (1551) when not even
// the first block could be read.
text::Status readConfigMapSection(const config::CLineList& lines, MapSet& maps);

// The maps of a configuration: [Free Map] when present, else [Config Map], then the
// [Multi Map] link preset; the first map becomes current and every map has its first cell
// selected. Returns 0, MapSectionNotFound (1514) when neither section exists, or the section
// reader's message.
text::Status readMapSections(const config::CLineList& lines, MapSet& maps);

} // namespace qmx::maps
