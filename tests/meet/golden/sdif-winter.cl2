A01V3      20Meet Entries                  Team Program              1.0AMade Up                         11202026                                    TM41    N20
B11        Harbour Winter Open                                                       Harbourtown                     GBR 1205202612062026            S       N90
C11          HBSCHarbour Seals SC              Seals                                                                                       GBR               N95
D01        Marlow, Ada                 HBS0001         0314201412FF 1001  1 1112         1:08.20Y                                                            N05
D3HBS0001       Ada                                                                                                                                          N59
D01        Marlow, Ada                 HBS0001         0314201412FF 2003  7 1112             NT                                                              N64
D01        Penn, Tobias J              HBS0002         0701199927MM15001 12 15OV        19:05.40Y                                                            N76
D01        Penn, Tobias J              HBS0002         0701199927MM 1002  3 15OV         1:03.90L                                                            N36
D01        Quill, Rosa                 HBS0003                 13FF 1001  1 1112         1:05.00S                                                            N44
D01        Quill, Rosa                 HBS0003                 13FF  504    1112           32.10Y                                                            N14
C11          RVOTRiver Otters                  Otters                                                                                      GBR               N06
D01        Stone, Milo                 RVO0001         0601201412MF 1001  1 1112         1:02.50S                                                            N35
D01        Tarn, Iris                  RVO0002         0505201016FF 2005  9 15OV         2:31.60Y                                                            N45
D01        Tarn, Iris                  RVO0002         0505201016FF 1006 10 15OV         1:10.00Y                                                            N45
Z01        02                                1  1   2   2     9     6                                                                                        N68
