// The gluing matrix of a boundary torus that carries two pairs of curves.
//
// The labels of a boundary torus carry four closed curves as edge weights
// (model/edge_labels.h): curves 0 and 1 are one basis of H_1 of the torus
// (the coordinates of the piece on one side), curves 2 and 3 another (those
// of the piece glued on). Reduced to one vertex, the torus has two edges
// E1, E2, a basis of its H_1, and each curve is the combination of them its
// labels give. With A the matrix whose rows are (curve 0, curve 1) written in
// E1, E2 and B the same for curves 2 and 3, the gluing matrix is the product
// of the inverse of A^T with B^T (A^T has a row per edge holding its labels 0
// and 1, B^T its labels 2 and 3): it relates the two bases. Both pairs being
// bases, A and B are unimodular and so is the result.
#pragma once

class TComplex;

// Writes the four entries of the gluing matrix (rows first) into out. The
// surface is copied and the copy reduced to a single vertex (superfluous edges
// and vertices removed, then edges between two vertices contracted, which
// keeps every curve closed and in its class). Returns 1; 0 without writing
// when the surface is not a torus, the copy does not come down to one vertex
// and two edges (reported as an internal error), or curves 0 and 1 are no
// basis (determinant of A not +-1). The surface is left unchanged.
int SpineBoundaryGluingMatrix(const TComplex& surface, int out[4]);
