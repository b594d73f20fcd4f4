A01V3      20Meet Entries                                                                                                                                    N32
B11        Example Open                                                                                                  0208202502092025            Y       N63
C11        ILXMPLExample Club                                                                                                                                N13
D01        Müller, Jörg                30029218        0208200714MM 1002  7C1314             NT                                                              N76
D01        Doe, Jane Q                 30029219                9 FF  501  2 UN10           28.11S   
Q9                                                                                                                                                              
Z01        02                                                                                                                                                N08
