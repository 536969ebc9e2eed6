#pragma once

#include <QPointF>

#include <vector>

// The points of a recording worth drawing across `columns` pixel columns between
// `from` and `to` seconds: for each column its first, lowest, highest and last
// sample in time order, so that every peak and spike keeps its height however
// many samples share a column, and a million samples draw as a few thousand.
std::vector<QPointF> decimateForWidth(const std::vector<double> &time, const std::vector<double> &height, double from,
                                      double to, int columns);
