#pragma once

class TKxLabel;

/// Makes Lab the example price tag: an A4 sheet of 3 x 7 tags of 64 x 38.1 mm, each with the product
/// name, the price as compound text ("Price: " ... " EUR"), the EAN-13 of the record, a mark when the
/// product is in stock and a border, bound to records 1 to LastRecord of the table "products" of the
/// alias "Products". Plain leaves out the stock mark and squares the border's corners: what the peer
/// tool's label of the benchmarks draws.
void MakePriceTag(TKxLabel& Lab, int LastRecord, bool Plain = false);
