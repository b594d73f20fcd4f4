A01V3      02Meet Results                  Example Meets                                                 02102025                                            N67
B11        Example County Champs                                                     Springfield                         0208202502092025            Y       N80
C11        ILXMPLExample Swim Club                                                                                                                           N64
D01        Doe, Jane Q                 0A1B2C3D4E5FAUSA0314201212FF 1002 17A111202082025 1:12.34L 1:05.10Y          1:04.87Y                                NN09
D30A1B2C3D4E5F61Janie                                                                                                                                        N21
D01        Doe, Jane Q                 0A1B2C3D4E5FA   0314201212FF 2001 22 111202092025     NT                          DQY                                NN56
D01        Roe, Sam                                            9 MM16501  5 UN1002082025                           17:59.99Y                               XNN04
D01        Roe, Sam                                            9 MM 5001  7 UN1002092025                            5:59.99Y                                NN53
D01        Poe, Ann                                    0505200915FF   1H  9 15OV02092025                             113.30                                 NN63
C11        ILOTHROther Club                                                                                                                                  N42
D01        Coe, Li                     1234567         1130201113MM  501 30 131402092025         NS      Y         28.11   S                                NN64
D01        Coe, Li                     1234567         1130201113MM 1002 32 1314                                    1:01.50L                                NN33
E01        AILOTHR  M 2006 31 UNOV                                                                                  1:50.00Y                                 N12
F0             ILOTHRACoe, Li                                                                                                                                N90
Z01        02                                                 7                                                                                              N18
