A01V3      02Meet Results                  Meet Program                  Made Up                         12072026                                            N39
B11        Harbour Winter Open                                                       Harbourtown                         1205202612062026            S       N20
C11          HBSCHarbour Seals SC                                                                                                          GBR               N14
D01        Penn, Tobias J              HBS0002         0701199927MM 1002  3 15OV12052026                            1:04.10S                                 N17
D01        Penn, Tobias J              HBS0002         0701199927MM 2002  5 15OV12052026                            2:19.80S                                 N17
D01        Tarn, Iris                  RVO0002         0505201016FF 2005  9 15OV12052026                            2:33.05S                                 N16
Z01        02                                                 3     2                                                                                        N28
